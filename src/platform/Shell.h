#pragma once

#include <string>

// The user's documents folder; the current directory when the desktop names none.
std::string DocumentsFolder();

// Hands text to the desktop's mail client as the body of a new message.
struct TMailResult {
  bool ok = false;
  std::string reason;  // why it failed; empty on success
};

// Runs `program --body TEXT` (xdg-email by default) and waits for it. An empty body, a
// missing program or a non-zero exit is a failure.
TMailResult SendMailBody(const std::string& body, const std::string& program = "xdg-email");
