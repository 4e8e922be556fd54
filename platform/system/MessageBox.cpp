#include "platform/system/MessageBox.h"

#include <QMessageBox>

namespace platform {
namespace {

std::function<void(const MessageBoxRequest&)>& Handler()
{
    static std::function<void(const MessageBoxRequest&)> handler;
    return handler;
}

}  // namespace

void ShowMessageBox(const MessageBoxRequest& request)
{
    if (Handler()) {
        Handler()(request);
        return;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (request.icon) {
    case MessageIcon::Error: icon = QMessageBox::Critical; break;
    case MessageIcon::Warning: icon = QMessageBox::Warning; break;
    case MessageIcon::Information: icon = QMessageBox::Information; break;
    case MessageIcon::Question: icon = QMessageBox::Question; break;
    }
    QMessageBox box(icon, request.caption, request.text, QMessageBox::Ok, request.owner);
    box.exec();
}

void SetMessageBoxHandler(std::function<void(const MessageBoxRequest&)> handler)
{
    Handler() = std::move(handler);
}

}  // namespace platform
