#pragma once
// The application's standard exception handler, as the components' guards call it: an exception
// that escapes an event handler run from a message or a timer is shown to the user here and the
// message counts as handled. The player may install its own handler; tests install a recorder.
#include <QString>

#include <exception>
#include <functional>

// Shows (or hands to the installed handler) the exception being handled; call from a catch block.
void HandleApplicationException(std::exception_ptr error);

// The caption of the message box: the application's title (the program's short name until set).
void SetApplicationTitle(const QString& title);

// Replaces the handler; an empty function restores the message box.
void SetApplicationExceptionHandler(std::function<void(const QString& message)> handler);
