#include "tool/headless_port.h"

HeadlessPort::HeadlessPort(std::string programFolder, int left, int top)
    : folder_(std::move(programFolder)), left_(left), top_(top) {}

void HeadlessPort::MoveDialog(int left, int top) {
  Moves.emplace_back(left, top);
  left_ = left;
  top_ = top;
}

void HeadlessPort::FocusControl(ControlId id) {
  Focused.push_back(id);
}

void HeadlessPort::ShowStatus(const std::string& caption) {
  Statuses.push_back(caption);
}

void HeadlessPort::ShowConfirmation(const std::string& text) {
  Confirmations.push_back(text);
}

void HeadlessPort::CloseDialog() {
  ++CloseCount;
}

PortMark MarkPort(const HeadlessPort& port) {
  PortMark m;
  m.Focused = port.Focused.size();
  m.Confirmations = port.Confirmations.size();
  m.CloseCount = port.CloseCount;
  return m;
}

HandlerOutcome OutcomeSince(const HeadlessPort& port, const PortMark& mark) {
  if (port.Focused.size() > mark.Focused) return HandlerOutcome::Focused;
  if (port.Confirmations.size() > mark.Confirmations) {
    return HandlerOutcome::Message;
  }
  if (port.CloseCount > mark.CloseCount) return HandlerOutcome::Closed;
  return HandlerOutcome::Open;
}
