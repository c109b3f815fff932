#pragma once

// Text measurement and widgets need a Qt application; tests that draw text or make widgets call
// this first. It makes one (on the platform the environment names) the first time and keeps it.
void EnsureGuiApplication();
