#pragma once

#include <string>

// Plain-text clipboard.
class TClipboard {
 public:
  virtual ~TClipboard() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// The desktop's clipboard (needs a running Qt GUI application).
class TSystemClipboard final : public TClipboard {
 public:
  std::string Text() const override;
  void SetText(const std::string& text) override;
};

// A clipboard in memory, for tests and for running without a desktop.
class TMemoryClipboard final : public TClipboard {
 public:
  std::string Text() const override { return FText; }
  void SetText(const std::string& text) override { FText = text; }

 private:
  std::string FText;
};
