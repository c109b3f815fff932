#pragma once

#include <string>

#include "platform/PlatformExport.h"

// Plain-text clipboard.
class LISTCHART_PLATFORM_API TClipboard {
 public:
  virtual ~TClipboard() = default;
  // The clipboard's text; empty when it holds none.
  virtual std::string Text() const = 0;
  // Puts the text on the clipboard.
  virtual void SetText(const std::string& text) = 0;
};

// The desktop's clipboard (needs a running Qt GUI application).
class LISTCHART_PLATFORM_API TSystemClipboard final : public TClipboard {
 public:
  // The desktop clipboard's text, as UTF-8.
  std::string Text() const override;
  // Puts UTF-8 text on the desktop clipboard.
  void SetText(const std::string& text) override;
};

// A clipboard in memory, for tests and for running without a desktop.
class LISTCHART_PLATFORM_API TMemoryClipboard final : public TClipboard {
 public:
  // The text last set; empty to begin with.
  std::string Text() const override { return FText; }
  // Keeps the text.
  void SetText(const std::string& text) override { FText = text; }

 private:
  std::string FText;
};
