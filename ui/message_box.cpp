#include "ui/message_box.h"

#include <QMessageBox>

#include "ui/qt_convert.h"

namespace tl {

QString MessageBox::displayText(std::string_view text) {
    QString shown = toQString(text);
    shown.replace("\r\n", "\n");
    return shown;
}

void MessageBox::show(QWidget* parent, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, "Terralevel", displayText(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tl
