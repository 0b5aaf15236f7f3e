// Random operation sequences on the expression temporaries, checked step by step against a
// plain model of the texts, with allocations failing at random.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "runtime/expression_stack.h"
#include "runtime/thread_record.h"
#include "string_allocations.h"

namespace {

using runtime::DynString;
using runtime::ExpressionStack;

constexpr auto kLiteralA = runtime::MakeLiteral("a\xF1o");
constexpr auto kLiteralB = runtime::MakeLiteral(" meses ");

struct ModelEntry {
  std::string text;
  bool owned = false;
  bool wide = false;
  int borrowsVariable = -1;  // which variable a borrowed entry reads, if any
};

class Model {
 public:
  explicit Model(unsigned sequence) : random_(sequence) {}

  void Step() {
    failNext_ = Chance(5);
    if (failNext_) platform::FailNextStringAllocations(1);
    switch (Pick(10)) {
      case 0:
        PushLiteral();
        break;
      case 1:
        PushVariable();
        break;
      case 2:
        PushOwned();
        break;
      case 3:
        PushEmpty();
        break;
      case 4:
        PushBytes();
        break;
      case 5:
        Concat();
        break;
      case 6:
        Assign();
        break;
      case 7:
        StoreFixed();
        break;
      case 8:
        Widen();
        break;
      default:
        Narrow();
        break;
    }
    platform::FailNextStringAllocations(0);
  }

  void Check() const {
    ASSERT_EQ(stack_.Depth(), model_.size());
    if (!model_.empty()) {
      const ModelEntry& top = model_.back();
      if (top.wide) {
        EXPECT_EQ(stack_.TopWideText(), Widened(top.text));
      } else {
        EXPECT_EQ(stack_.TopText(), top.text);
      }
    }
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(variables_[i].View(), modelVariables_[i]) << "variable " << i;
      EXPECT_EQ(variables_[i].IsOwned(), !modelVariables_[i].empty());
    }
    EXPECT_EQ(slot_.number(), expectedError_);
  }

  // Strings alive now: owned temporaries and owned variables.
  std::uint64_t LiveStrings() const {
    std::uint64_t live = 0;
    for (const ModelEntry& e : model_) live += e.owned ? 1 : 0;
    for (const std::string& v : modelVariables_) live += v.empty() ? 0 : 1;
    return live;
  }

  void ReleaseVariables() {
    for (DynString& v : variables_) runtime::FreeString(v);
  }

 private:
  bool Chance(int inHundred) { return Pick(100) < inHundred; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string RandomText() {
    std::string text(static_cast<std::size_t>(Pick(6)), '\0');
    for (char& c : text) c = static_cast<char>(" ab\xF1\x80\x81"[Pick(6)]);
    return text;
  }

  static std::u16string Widened(const std::string& text) {
    std::u16string wide;
    for (char c : text) {
      wide.push_back(c == '\x80'   ? u'\u20AC'
                     : c == '\x81' ? u'\u0081'
                                   : static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return wide;
  }

  bool Full() const { return model_.size() == ExpressionStack::kCapacity; }
  void Push(std::string text, bool owned, int variable = -1) {
    model_.push_back({std::move(text), owned, false, variable});
  }
  ModelEntry PopModel() {
    ModelEntry e = model_.back();
    model_.pop_back();
    return e;
  }
  // An allocation the injected failure hits: the result is empty.
  bool Allocates(const std::string& text) { return !text.empty() && !failNext_; }

  void PushLiteral() {
    if (Full()) return;
    if (Chance(50)) {
      stack_.PushBorrowed(kLiteralA);
      Push("a\xF1o", false);
    } else {
      stack_.PushBorrowed(kLiteralB);
      Push(" meses ", false);
    }
  }
  void PushVariable() {
    if (Full()) return;
    int i = Pick(2);
    stack_.PushBorrowed(variables_[i]);
    Push(modelVariables_[i], false, i);
  }
  void PushOwned() {
    if (Full()) return;
    std::string text = RandomText();
    DynString value = DynString::Copy(text);
    if (value.IsEmpty()) text.clear();
    stack_.PushOwned(std::move(value));
    Push(text, !text.empty());
  }
  void PushEmpty() {
    if (Full()) return;
    stack_.PushEmpty();
    Push({}, false);
  }
  void PushBytes() {
    if (Full()) return;
    std::string text = RandomText();
    stack_.PushBytes(text.data(), static_cast<std::int32_t>(text.size()));
    bool ok = Allocates(text);
    Push(ok ? text : std::string(), ok);
  }
  void Concat() {
    if (model_.size() < 2 || model_.back().wide || model_[model_.size() - 2].wide) return;
    stack_.ConcatTop(slot_);
    ModelEntry b = PopModel();
    ModelEntry a = PopModel();
    if (a.text.empty() || b.text.empty()) {
      // The other side stands as it was, read as 8-bit.
      model_.push_back(a.text.empty() ? b : a);
      return;
    }
    bool ok = !failNext_;
    Push(ok ? a.text + b.text : std::string(), ok);
    if (!ok) expectedError_ = 7;
  }
  void Assign() {
    if (model_.empty() || model_.back().wide) return;
    int i = Pick(2);
    for (std::size_t k = 0; k + 1 < model_.size(); ++k) {
      if (model_[k].borrowsVariable == i) return;  // generated code never does this
    }
    stack_.AssignTop(slot_, variables_[i]);
    ModelEntry top = PopModel();
    std::string& var = modelVariables_[i];
    const bool reuses = !top.owned && var.size() == top.text.size();
    if (top.owned || top.text.empty() || reuses || !failNext_) {
      var = top.text;
    } else {
      var.clear();
      expectedError_ = 7;
    }
  }
  void StoreFixed() {
    if (model_.empty() || model_.back().wide) return;
    char buffer[16];
    std::uint32_t capacity = static_cast<std::uint32_t>(1 + Pick(8));
    stack_.StoreFixedText(buffer, capacity);
    std::string text = PopModel().text;
    std::string expected = text.substr(0, capacity - 1);
    EXPECT_STREQ(buffer, expected.c_str());
  }
  void Widen() {
    if (model_.empty()) return;
    std::size_t depth = model_.size() >= 2 && Chance(50) ? 1 : 0;
    ModelEntry& e = model_[model_.size() - 1 - depth];
    if (e.wide) return;
    stack_.WidenTop(depth);
    bool ok = Allocates(e.text);
    e = {ok ? e.text : std::string(), ok, true, -1};
  }
  void Narrow() {
    if (model_.empty() || !model_.back().wide) return;
    stack_.NarrowTop();
    ModelEntry& e = model_.back();
    bool ok = Allocates(e.text);
    e = {ok ? e.text : std::string(), ok, false, -1};
  }

  std::mt19937 random_;
  bool failNext_ = false;
  runtime::ErrorSlot slot_;
  int expectedError_ = 0;
  DynString variables_[2];
  std::string modelVariables_[2];
  ExpressionStack stack_;
  std::vector<ModelEntry> model_;
};

TEST(ExpressionStackModel, RandomSequencesMatchThePlainModelAndLeakNothing) {
  runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  const std::uint32_t saved = record->codePage;
  record->codePage = platform::kCodePageWestern;
  for (unsigned sequence = 1; sequence <= 400; ++sequence) {
    SCOPED_TRACE(sequence);
    runtime_test::StringAllocations allocations;
    {
      Model model(sequence);
      for (int step = 0; step < 40; ++step) {
        model.Step();
        model.Check();
        if (::testing::Test::HasFailure()) break;
        EXPECT_EQ(allocations.Live(), model.LiveStrings());
      }
      model.ReleaseVariables();
    }
    EXPECT_EQ(allocations.Live(), 0u);
    if (::testing::Test::HasFailure()) break;
  }
  record->codePage = saved;
}

}  // namespace
