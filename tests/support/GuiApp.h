#pragma once

// Text measurement needs a Qt GUI application; tests that draw or measure text call this
// first. It makes one (on the platform the environment names) the first time and keeps it.
void EnsureGuiApplication();
