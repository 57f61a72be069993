#include "tilebound/tilebound.h"

#include "common/failure.h"
#include "common/text_file.h"
#include "tilebound/scenery_header.h"
#include "tilebound/tilebound_record.h"

namespace tl {

std::filesystem::path Tilebound::fileIn(const std::filesystem::path& folder,
                                        std::string_view name) {
    std::filesystem::path file = folder / "";
    file += std::string(name);
    return file;
}

int Tilebound::run(std::string_view commandLine, const std::filesystem::path& folder,
                   const NumberText& numbers, std::ostream& errors) {
    if (commandLine.empty()) {
        errors << "tilebound: no scenery file named; usage: tilebound <file in " << folder.string()
               << ">\n";
        return badCommandLine;
    }
    // A line break in the name would split the record, and a name starting with a blank could read
    // back as the bounds line of a long name: either would spoil the list for its reader.
    if (commandLine.find_first_of("\r\n") != std::string_view::npos) {
        errors << "tilebound: a file name with a line break cannot be listed in " << listName
               << "\n";
        return badCommandLine;
    }
    if (commandLine.front() == ' ' || commandLine.front() == '\t') {
        errors << "tilebound: a file name starting with a blank cannot be listed in " << listName
               << "\n";
        return badCommandLine;
    }
    const std::filesystem::path file = fileIn(folder, commandLine);
    std::vector<std::string> record;
    try {
        record = TileboundRecord::lines(commandLine, SceneryHeader::read(file), numbers);
    } catch (const Failure& f) {
        errors << "tilebound: " << file.string() << ": " << f.description() << "; nothing added to "
               << listName << "\n";
        return failed;
    }
    const std::filesystem::path list = folder / listName;
    try {
        TextFile::appendLines(list, record, true);
    } catch (const Failure& f) {
        errors << "tilebound: " << list.string() << ": " << f.description() << "\n";
        return failed;
    }
    return done;
}

}  // namespace tl
