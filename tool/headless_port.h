// A PlatformPort without a window: the program folder is given to it, and it
// records everything the form asked of the window system (moves, focus,
// status captions, confirmation texts, closing). The unit tests and the
// batch runner t482-batch drive the form through it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tool/platform_port.h"

class HeadlessPort : public PlatformPort {
 public:
  /// `programFolder` is returned as is by ProgramFolder(); it should end in
  /// the path delimiter. The dialog starts at (left, top).
  explicit HeadlessPort(std::string programFolder, int left = 0, int top = 0);

  std::string ProgramFolder() override { return folder_; }
  void MoveDialog(int left, int top) override;
  int DialogLeft() override { return left_; }
  int DialogTop() override { return top_; }
  void FocusControl(ControlId id) override;
  void ShowStatus(const std::string& caption) override;
  void ShowConfirmation(const std::string& text) override;
  void CloseDialog() override;

  /// Every MoveDialog call, in order.
  std::vector<std::pair<int, int>> Moves;
  /// Every control focused, in order.
  std::vector<ControlId> Focused;
  /// Every status caption shown (Shift-JIS), in order.
  std::vector<std::string> Statuses;
  /// Every confirmation text shown (Shift-JIS), in order.
  std::vector<std::string> Confirmations;
  /// How often CloseDialog was called (the form calls it at most once).
  int CloseCount = 0;

  bool DialogClosed() const { return CloseCount > 0; }

 private:
  std::string folder_;
  int left_;
  int top_;
};

/// What one handler call did, judged from the port's records before and
/// after it.
enum class HandlerOutcome {
  Open,     // nothing visible: the dialog stays open, no focus, no message
  Focused,  // a control was focused (an input check refused)
  Message,  // a confirmation message was shown (the dialog may have closed)
  Closed,   // the dialog closed without a message or a focus change
};

/// A snapshot of the record counts, taken before a handler runs.
struct PortMark {
  size_t Focused = 0;
  size_t Confirmations = 0;
  int CloseCount = 0;
};

PortMark MarkPort(const HeadlessPort& port);

/// Judges what happened since `mark`: a focus change first, then a message,
/// then closing. A run of the OK handler that drew its dimension is Closed.
HandlerOutcome OutcomeSince(const HeadlessPort& port, const PortMark& mark);
