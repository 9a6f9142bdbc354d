// A dialog screen for tests that plays a script: each page shown takes
// the next step (an action and the texts of fields changed); it records
// the pages, focuses, buttons and messages it was shown.  Questions take
// their default unless told otherwise.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tornel/dialogs/dialog_run.h"

namespace tornel_test {

struct Step {
  tornel::DialogAction action;
  std::vector<std::pair<int, std::string>> texts;  // item, new text
  int item = -1;
  std::vector<std::pair<int, int>> choices = {};  // item, new choice
};

class ScriptScreen final : public tornel::DialogScreen {
 public:
  explicit ScriptScreen(std::deque<Step> steps) : steps_(std::move(steps)) {}
  tornel::PageAnswer ShowPage(const tornel::DialogDef&, int page, const std::vector<tornel::PageRange>&,
                      const std::vector<tornel::FieldState>& fields, const tornel::PageButtons& b,
                      int focus) override {
    pages.push_back(page);
    focuses.push_back(focus);
    buttons.push_back(b);
    tornel::PageAnswer a;
    a.fields = fields;
    if (steps_.empty()) {
      a.action = tornel::DialogAction::kCancel;
      return a;
    }
    Step s = steps_.front();
    steps_.pop_front();
    for (auto& [i, t] : s.texts) Field(a, i).text = t;
    for (auto& [i, c] : s.choices) Field(a, i).choice = c;
    a.action = s.action;
    a.item = s.item;
    return a;
  }
  void Message(const std::string& text, tornel::MessageIcon) override { messages.push_back(text); }
  void Notice(const std::string&, const std::string&, platform::Icon) override {}
  int Question(const std::string&, const std::string& text, platform::Icon, platform::Buttons,
               int d) override {
    questions.push_back(text);
    defaults.push_back(d);
    return answer >= 0 ? answer : d;
  }
  std::optional<std::string> Path(const tornel::PathRequest&) override { return path; }

  std::vector<int> pages, focuses;
  std::vector<tornel::PageButtons> buttons;
  std::vector<std::string> messages, questions;
  std::vector<int> defaults;
  int answer = -1;                  // the button a question gets (-1: its default)
  std::optional<std::string> path;  // what a file chooser gives

 private:
  static tornel::FieldState& Field(tornel::PageAnswer& a, int i) {
    static tornel::FieldState nowhere;
    if (i < 0 || static_cast<size_t>(i) >= a.fields.size()) {
      ADD_FAILURE() << "the script names item " << i << " of " << a.fields.size();
      return nowhere;
    }
    return a.fields[static_cast<size_t>(i)];
  }
  std::deque<Step> steps_;
};


}  // namespace tornel_test
