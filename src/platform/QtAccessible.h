#pragma once

#include <functional>

#include "platform/Accessible.h"

class QAccessibleEvent;
class QObject;
class QWidget;
class TControl;

// Makes Qt's accessibility describe every hosted control through its TAccessibleSource.
// Idempotent; the control hosts call it.
void InstallControlAccessibility();

// Raises an accessibility event for the control shown in the viewport (child -1: itself).
void RaiseAccessibleEvent(QWidget* viewport, TAccessibleEvent event, int child);

// Sees every event the hosts raise, also while no assistive technology has switched Qt's
// accessibility on (which an off-screen platform never does); for tests. Empty to stop.
void SetAccessibleEventObserver(std::function<void(QAccessibleEvent*)> observer);

// The control a host's viewport widget shows, or null for any other object (in
// QtControlHost.cpp, which knows the viewports).
TControl* ControlOfViewport(QObject* object);
