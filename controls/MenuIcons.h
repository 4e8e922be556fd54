// Small pictures for menu items, drawn rather than loaded.
#pragma once
#include <QIcon>
#include <QString>

// The small pictures of the video window's menu items, drawn here: "play", "pause", "stop",
// "next", "previous", "menu", "forward", "rewind", "volume", "fullscreen", "open", "internet",
// "quit". An unknown name gives an empty icon.
QIcon MenuIcon(const QString& name);
