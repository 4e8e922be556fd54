#include "platform/system/MessageBox.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

#include <vector>

namespace platform {
namespace {

std::function<void(const MessageBoxRequest&)>& Handler()
{
    static std::function<void(const MessageBoxRequest&)> handler;
    return handler;
}

// Takes the application's override cursors off for its lifetime and puts them back after.
class NormalCursor {
public:
    NormalCursor()
    {
        while (const QCursor* cursor = QApplication::overrideCursor()) {
            saved_.push_back(*cursor);
            QApplication::restoreOverrideCursor();
        }
    }
    ~NormalCursor()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            QApplication::setOverrideCursor(*it);
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    std::vector<QCursor> saved_;
};

}  // namespace

void ShowMessageBox(const MessageBoxRequest& request)
{
    const NormalCursor normal;
    if (Handler()) {
        Handler()(request);
        return;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (request.icon) {
    case MessageIcon::None: icon = QMessageBox::NoIcon; break;
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
