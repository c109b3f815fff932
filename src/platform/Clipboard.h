#pragma once

#include <string>

#include "platform/PlatformExport.h"

// Plain-text clipboard.
class LISTCHART_PLATFORM_API TClipboard {
 public:
  virtual ~TClipboard() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// The desktop's clipboard (needs a running Qt GUI application).
class LISTCHART_PLATFORM_API TSystemClipboard final : public TClipboard {
 public:
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

// A clipboard in memory, for tests and for running without a desktop.
class LISTCHART_PLATFORM_API TMemoryClipboard final : public TClipboard {
 public:
  std::string Text() const override { return FText; }
  void SetText(const std::string& text) override { FText = text; }

 private:
  std::string FText;
};
