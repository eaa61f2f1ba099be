#include "tests/fuzz/SkinFuzzSupport.h"

#include "skin/core/SkinBudget.h"
#include "skin/core/SkinElements.h"
#include "tests/fuzz/FuzzTarget.h"

namespace fuzz {

namespace {

void CheckImage(const QImage& image, const QString& name) {
  CQ_FUZZ_CHECK_SAYING(static_cast<std::int64_t>(image.width()) * image.height() <= skin::budget::kMaxImagePixels,
                       Show(name) << " " << image.width() << "x" << image.height());
}

void CheckElement(const skin::TDataSkinObject& o, const QString& name) {
  CheckImage(o.Image, name);
  const skin::TSkinMargins& m = o.Margins;
  const int w = o.Image.width(), h = o.Image.height();
  CQ_FUZZ_CHECK_SAYING(m.Left >= 0 && m.Right >= 0 && m.Top >= 0 && m.Bottom >= 0 && m.Left <= w && m.Right <= w &&
                           m.Top <= h && m.Bottom <= h,
                       Show(name) << " margins " << m.Left << " " << m.Top << " " << m.Right << " " << m.Bottom
                                  << " of " << w << "x" << h);
}

}  // namespace

void CheckWithinBudget(const skin::TSkinElements& e) {
  CQ_FUZZ_CHECK(!e.NotLoaded);
  CQ_FUZZ_CHECK_SAYING(e.SysButtons.size() <= static_cast<size_t>(skin::budget::kMaxCaptionButtons) + 3,
                       e.SysButtons.size() << " caption buttons");
  for (const skin::TDataSkinBorder* b : {&e.FrameLeft, &e.FrameRight, &e.FrameTop, &e.FrameBottom}) CheckElement(*b, b->Name);
  CheckElement(e.Buttons, QStringLiteral("Buttons"));
  CheckImage(e.Buttons.CheckImage, QStringLiteral("CheckButton"));
  CheckImage(e.Buttons.RadioImage, QStringLiteral("RadioButton"));
  CheckImage(e.Title.Image, QStringLiteral("TextBack"));
  for (const auto& b : e.SysButtons) CheckImage(b->Image, b->Name);
  for (const auto& [name, o] : e.OptionalElements())
    if (o) CheckElement(*o, name);
}

class MessageCounter::Counting : public platform::SilentDialogs {
 public:
  void MessageBox(const QString&, const QString&) override { ++shown; }
  int shown = 0;
};

MessageCounter::MessageCounter() {
  auto counting = std::make_unique<Counting>();
  counting_ = counting.get();
  previous_ = platform::SetDialogs(std::move(counting));
}

MessageCounter::~MessageCounter() { platform::SetDialogs(std::move(previous_)); }

int MessageCounter::Take() {
  const int n = counting_->shown;
  counting_->shown = 0;
  return n;
}

}  // namespace fuzz
