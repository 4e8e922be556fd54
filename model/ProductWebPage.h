#pragma once
// The product's web page, as both the panel's and the video window's menus open it.
#include <QUrl>

// The address set when the program was configured; the bundled help page when none was set.
QUrl ProductWebPage();
