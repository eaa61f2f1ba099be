#include "tools/gallery/ControlsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinnerFactory.h"
#include "skin/engine/Classify.h"
#include "skin/engine/SkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "toolkit/Fonts.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace {

const char* const kPoem[] = {"静夜思", "床前明月光，", "疑是地上霜。", "举头望明月，", "低头思故乡。"};

QString LongPoem() {
  QStringList lines;
  for (int stanza = 0; stanza < 12; ++stanza)
    for (const char* line : kPoem) lines << QString::fromUtf8(line);
  return lines.join(QStringLiteral("\r\n"));
}

QLabel* Caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

TControlsPage::TControlsPage(QWidget* parent) : QWidget(parent) { Build(); }

TControlsPage::~TControlsPage() { Unskin(); }

void TControlsPage::Build() {
  setFont(toolkit::MakeFont(QStringLiteral("宋体"), 13));
  // One row per family: its caption, then its controls side by side.
  auto* rows = new QVBoxLayout(this);
  auto line = [&](const QString& label, std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    QLabel* caption = Caption(label, this);
    caption->setFixedWidth(220);
    caption->setWordWrap(true);
    row->addWidget(caption);
    for (QWidget* w : widgets) {
      row->addWidget(w);
      controls_.push_back(w);
    }
    row->addStretch(1);
    rows->addLayout(row);
  };

  auto button = [this](const QString& caption) {
    auto* b = new toolkit::TButton(this);
    b->SetCaption(caption);
    b->setMinimumSize(75, 25);
    return b;
  };
  toolkit::TButton* normal = button(QStringLiteral("搜索"));
  toolkit::TButton* disabled = button(QStringLiteral("退出"));
  disabled->setEnabled(false);
  toolkit::TButton* def = button(QStringLiteral("确定"));
  def->setDefault(true);
  toolkit::TButton* twoLines = button(QStringLiteral("上一贴||下一贴"));
  twoLines->setMinimumHeight(41);
  line(QStringLiteral("Push buttons: normal, disabled, default, two lines"), {normal, disabled, def, twoLines});

  auto check = [this](const QString& caption, toolkit::TCheckBox::TCheckBoxState state, bool enabled) {
    auto* c = new toolkit::TCheckBox(this);
    c->SetCaption(caption);
    c->SetState(state);
    c->setEnabled(enabled);
    return c;
  };
  toolkit::TCheckBox* leftText = check(QStringLiteral("文字在左"), toolkit::TCheckBox::cbChecked, true);
  leftText->setLayoutDirection(Qt::RightToLeft);
  line(QStringLiteral("Check boxes: clear, checked, grayed, disabled, text left"),
       {check(QStringLiteral("启动时显示"), toolkit::TCheckBox::cbUnchecked, true),
        check(QStringLiteral("已选"), toolkit::TCheckBox::cbChecked, true),
        check(QStringLiteral("未定"), toolkit::TCheckBox::cbGrayed, true),
        check(QStringLiteral("不可用"), toolkit::TCheckBox::cbChecked, false), leftText});

  auto radio = [this](const char* text, bool checked, bool enabled) {
    auto* r = new QRadioButton(QString::fromUtf8(text), this);
    r->setChecked(checked);
    r->setEnabled(enabled);
    return r;
  };
  // Radio buttons exclude each other: the disabled one is checked apart.
  auto* group = new QWidget(this);
  auto* apart = new QRadioButton(QStringLiteral("不可用"), group);
  apart->setAutoExclusive(false);
  apart->setChecked(true);
  apart->setEnabled(false);
  group->setMinimumSize(apart->sizeHint());
  line(QStringLiteral("Radio buttons: checked, clear, disabled checked"),
       {radio("中国作品", true, true), radio("外国作品", false, true), group});
  controls_.push_back(apart);

  auto edit = [this](const QString& text, bool frame, bool enabled) {
    auto* e = new toolkit::TEdit(this);
    e->SetText(text);
    e->setFrame(frame);
    e->setEnabled(enabled);
    e->setMinimumSize(160, 23);
    return e;
  };
  line(QStringLiteral("Edits: bordered, no border, disabled"),
       {edit(QStringLiteral("搜索关键字"), true, true), edit(QStringLiteral("无边框"), false, true),
        edit(QStringLiteral("不可用"), true, false)});

  auto combo = [this](bool enabled) {
    auto* c = new toolkit::TComboBox(this);
    for (const char* mode : {"按作品名搜索", "按作者名搜索", "按诗内容搜索"}) c->Items().Add(QString::fromUtf8(mode));
    c->SetItemIndex(0);
    c->setEnabled(enabled);
    c->setMinimumSize(160, 23);
    return c;
  };
  auto* list = combo(true);
  list->SetStyle(toolkit::csDropDownList);
  auto* spin = new QSpinBox(this);
  spin->setRange(0, 99);
  spin->setValue(7);
  line(QStringLiteral("Combo boxes: drop-down, list, disabled; a spin box"), {combo(true), list, combo(false), spin});

  auto* panel = new toolkit::TPanel(this);
  panel->SetCaption(QStringLiteral("面板"));
  panel->SetColor(16771315);
  panel->SetBevelOuter(toolkit::bvLowered);
  panel->setMinimumHeight(32);
  panel->setMinimumWidth(500);
  line(QStringLiteral("Panel (recoloured to the skin's button face)"), {panel});

  auto* memo = new toolkit::TMemo(this);
  memo->setFont(toolkit::MakeFont(QStringLiteral("楷体"), 16));
  memo->SetScrollBars(toolkit::ssVertical);
  memo->SetText(LongPoem());
  memo->setMinimumSize(180, 170);
  memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum() / 3);
  auto* wide = new toolkit::TMemo(this);
  wide->SetScrollBars(toolkit::ssBoth);
  wide->SetWordWrap(false);
  wide->SetText(LongPoem().replace(QStringLiteral("\r\n"), QStringLiteral("  ")).left(400) + QStringLiteral("\r\n") + LongPoem());
  wide->setMinimumSize(180, 170);
  auto* short_ = new toolkit::TMemo(this);
  short_->SetScrollBars(toolkit::ssVertical);
  short_->SetText(QStringLiteral("选择相应的朝代或者作者进入。"));
  short_->setMinimumSize(140, 170);
  auto* table = new toolkit::TListView(this);
  table->setFont(toolkit::MakeFont(QStringLiteral("楷体"), 16));
  table->SetFlatScrollBars(true);
  table->SetRowSelect(true);
  table->Columns().Add(QStringLiteral("作者姓名"), 110);
  table->Columns().Add(QStringLiteral("生卒年月"), 110);
  for (int i = 0; i < 40; ++i) {
    toolkit::TListItem* item = table->Items().Add();
    item->SetCaption(QStringLiteral("李白 %1").arg(i + 1));
    item->SubItems().Add(QStringLiteral("701-762"));
  }
  table->setMinimumSize(240, 170);
  table->verticalScrollBar()->setValue(10);
  line(QStringLiteral("Memo scrolled, both bars, nothing to scroll; list view"), {memo, wide, short_, table});

  auto* bar = new QScrollBar(Qt::Horizontal, this);
  bar->setMinimumWidth(200);
  bar->setRange(0, 99);
  bar->setPageStep(10);
  bar->setValue(37);
  auto* off = new QScrollBar(Qt::Horizontal, this);
  off->setMinimumWidth(200);
  off->setEnabled(false);
  auto* stub = new QScrollBar(Qt::Horizontal, this);
  stub->setFixedWidth(25);
  line(QStringLiteral("Scroll-bar controls: normal, disabled, shorter than two arrows"), {bar, off, stub});

  auto* status = new toolkit::TStatusBar(this);
  status->setMinimumHeight(25);
  status->AddPanel(180, toolkit::taCenter).Text = QStringLiteral("凹下 Lowered");
  status->AddPanel(180, toolkit::taLeftJustify).Text = QStringLiteral("凸起 Raised");
  status->SetPanelBevel(1, toolkit::pbRaised);
  status->AddPanel(180, toolkit::taRightJustify).Text = QStringLiteral("无 None");
  status->SetPanelBevel(2, toolkit::pbNone);
  status->setMinimumWidth(600);
  line(QStringLiteral("Status bar: lowered, raised, no bevel"), {status});
  rows->addStretch(1);
  normal->setFocus();
}

void TControlsPage::Unskin() {
  // Freeing the holder frees the skinners; each gives its control back.
  if (skinners_) {
    const std::vector<skin::TSkinControl*> list = skinners_->Skinners();
    for (skin::TSkinControl* s : list) delete s;
  }
  skinners_.reset();
}

void TControlsPage::ApplySkin(skin::TSkinData* data) {
  Unskin();
  // The page is the controls' form: it takes the skin's button face, as a
  // skinned form does, so that see-through controls show the skin's colour.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, data ? skin::ButtonFaceColour(data->Elements()) : QWidget().palette().color(QPalette::Window));
  setPalette(pal);
  setAutoFillBackground(data != nullptr);
  if (!data) return;
  skinners_ = std::make_unique<skin::TWinSkinForm>();
  skinners_->SetHandle(this);
  for (QWidget* control : controls_) {
    const skin::TClassification c =
        skin::ClassifyControl(control, *data, [this](const QWidget* w) { return skinners_->FindSkinner(w) != nullptr; });
    for (const skin::TSkinnerOrder& order : c.orders) skin::CreateSkinner(order, skinners_.get(), data);
  }
  // Foreign-style controls (radio buttons, spin boxes, scroll-bar controls)
  // are attached by their window class, as a dialog's children are.
  for (QWidget* control : controls_) {
    if (skinners_->FindSkinner(control)) continue;
    const skin::TSkinnerOrder order =
        skin::ClassifyByWindowClass(control, data->SkinControls(), data->Elements().Tabs != nullptr);
    if (order.kind != skin::skNone) skin::CreateSkinner(order, skinners_.get(), data);
  }
  update();
}
