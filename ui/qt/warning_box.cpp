#include "warning_box.h"

#include <QMessageBox>
#include <QString>

namespace plinthar {

void ShowWarningBox(QWidget& owner, const std::string& message, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                  QString::fromStdString(message), QMessageBox::Ok, &owner);
  box.exec();
}

}  // namespace plinthar
