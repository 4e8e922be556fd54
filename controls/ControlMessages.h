#pragma once
// Event types of the custom controls. They keep the numbers the controls' messages have always had,
// which lie inside Qt's user event range (QEvent::User .. QEvent::MaxUser):
//   CM_ANIMATIONEND = 0xB065  a frame animation of a shaped button has ended; release its timer
//   CM_ROTATESTEP   = 0xB069  one step of a shaped button's continuous rotation
// ReserveControlEventTypes() registers them with Qt so that no other registration takes them.
#include <QEvent>

inline constexpr int kCmAnimationEnd = 0xB065;
inline constexpr int kCmRotateStep = 0xB069;
inline constexpr QEvent::Type CM_ANIMATIONEND = static_cast<QEvent::Type>(kCmAnimationEnd);
inline constexpr QEvent::Type CM_ROTATESTEP = static_cast<QEvent::Type>(kCmRotateStep);

// Registers both types once; safe to call often and from any thread.
void ReserveControlEventTypes();
