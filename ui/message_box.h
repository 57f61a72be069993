#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace tl {

// Terralevel's message box: modal, OK only, no icon, titled "Terralevel".
class MessageBox {
public:
    // Returns when the user has closed the box.
    static void show(QWidget* parent, std::string_view text);

    // The text as shown: CR LF line ends become plain line breaks, nothing is read as markup.
    static QString displayText(std::string_view text);
};

}  // namespace tl
