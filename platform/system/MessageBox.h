#pragma once
// The desktop's message box: a modal box with a caption, a text, an icon and an OK button (or
// Yes/No). Tests install a handler that records the box and answers it instead of showing it.
#include <QString>

#include <functional>

class QWidget;

namespace platform {

enum class MessageIcon { None, Error, Warning, Information, Question };

struct MessageBoxRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
};

// Shows the box modally and returns once it is closed. A busy cursor (the hourglass of a command
// that loads) gives way to the normal one while the box waits for the user, and comes back after.
void ShowMessageBox(const MessageBoxRequest& request);

// Replaces the showing (tests); an empty function restores the real box.
void SetMessageBoxHandler(std::function<void(const MessageBoxRequest&)> handler);

}  // namespace platform
