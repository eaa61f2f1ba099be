// cq-bench-controls: the cost of painting the skinned controls, each figure
// beside its anchor measured in the same process.
//  - one repaint of a memo's skinned scroll bar while its thumb is dragged
//    (goal: at most 0.5 ms), beside the same bar unskinned;
//  - a full repaint of the main window skinned with the stored skin, beside
//    the same window unskinned (goal: at most 1.3 times).
// Run it from the program's directory (build/bin), whose databases the main
// window opens; QT_QPA_PLATFORM=offscreen works without a display.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/MainForm.h"
#include "controls/outbar/OutBarVertListView.h"
#include "skin/engine/DefaultSkin.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/engine/SkinData.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "toolkit/Application.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace {

struct Figures {
  double median = 0, mean = 0;
};

// Processor time of this thread, in milliseconds: on a busy machine the
// wall clock also counts the time other processes held the processor.
double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

Figures Summarise(std::vector<double> ms) {
  Figures f;
  std::sort(ms.begin(), ms.end());
  f.median = ms[ms.size() / 2];
  for (double v : ms) f.mean += v;
  f.mean /= static_cast<double>(ms.size());
  return f;
}

void Settle(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

// Drags the thumb of `memo`'s bar up and down and times each repaint of the bar.
Figures DragRepaints(toolkit::TMemo& memo, int rounds) {
  QScrollBar* bar = memo.verticalScrollBar();
  bar->setValue(0);
  QApplication::processEvents();
  const int grip = 16 + 4;
  SendMouse(bar, QEvent::MouseButtonPress, QPoint(8, grip), Qt::LeftButton);
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const int y = grip + (i % 200);
    SendMouse(bar, QEvent::MouseMove, QPoint(8, y), Qt::LeftButton);
    const double t0 = CpuMs();
    bar->repaint();
    times.push_back(CpuMs() - t0);
  }
  SendMouse(bar, QEvent::MouseButtonRelease, QPoint(8, grip), Qt::NoButton);
  return Summarise(times);
}

Figures WindowRepaints(QWidget& window, int rounds) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double t0 = CpuMs();
    window.repaint();
    times.push_back(CpuMs() - t0);
  }
  return Summarise(times);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  toolkit::TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
  toolkit::TheApplication().SetProgramDir(QDir::currentPath());

  // ---- a scroll bar during a thumb drag ------------------------------------------
  skin::TSkinData skinData;
  skinData.ReadSkinStream(skin::DefaultSkinStream());
  QStringList lines;
  for (int i = 0; i < 400; ++i) lines << QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。%1").arg(i);
  QWidget host;
  host.resize(1000, 560);
  toolkit::TMemo skinned(&host), plain(&host);
  for (toolkit::TMemo* m : {&skinned, &plain}) {
    m->SetScrollBars(toolkit::ssVertical);
    m->SetText(lines.join(QStringLiteral("\r\n")));
  }
  skinned.setGeometry(0, 0, 480, 540);
  plain.setGeometry(500, 0, 480, 540);
  auto* skinner = new skin::TSkinScrollbar(&skinned);
  skinner->InitControl(nullptr, &skinData, false, nullptr);
  host.show();
  Settle(100);
  DragRepaints(plain, 200);  // warm-up
  const Figures barPlain = DragRepaints(plain, 2000);
  DragRepaints(skinned, 200);
  const Figures barSkinned = DragRepaints(skinned, 2000);
  std::printf("scroll bar repaint while dragging the thumb (%dx%d), processor time: skinned %.3f ms median, %.3f ms "
              "mean; unskinned %.3f ms median, %.3f ms mean (goal: skinned <= 0.5 ms)\n",
              skinned.verticalScrollBar()->width(), skinned.verticalScrollBar()->height(), barSkinned.median,
              barSkinned.mean, barPlain.median, barPlain.mean);
  host.hide();

  // ---- the main window ------------------------------------------------------------
  auto* form = toolkit::TheApplication().CreateForm<app::TForm1>();
  form->DoCreate();
  form->Show();
  Settle(800);
  if (form->DCOutBarVertListView1->ItemCount() > 0) {
    form->DCOutBarVertListView1->SetItemIndex(0);
    form->DCOutBarVertListView1ButtonClick(nullptr, nullptr);
    // The author's first poem in the text pane.
    if (form->ListView1->Items().Count() > 0) form->ListView1->SetItemIndex(0);
  }
  Settle(200);
  // Unskinned and skinned in turn, five times: the median of each kind;
  // the controls the skin paints are timed on their own as well.
  const std::vector<std::pair<const char*, QWidget*>> parts = {
      {"Button1", form->Button1}, {"ComboBox1", form->ComboBox1}, {"Edit1", form->Edit1},
      {"StatusBar1", form->StatusBar1}, {"Memo1", form->Memo1}, {"ListView1", form->ListView1}};
  std::vector<std::vector<double>> partPlain(parts.size()), partSkinned(parts.size());
  std::vector<double> plainTimes, skinnedTimes;
  skin::TWinSkinForm* frame = nullptr;
  for (int round = 0; round < 5; ++round) {
    form->SkinData1->SetActive(false);
    Settle(800);
    WindowRepaints(*form, 10);
    plainTimes.push_back(WindowRepaints(*form, 100).median);
    for (size_t i = 0; i < parts.size(); ++i) partPlain[i].push_back(WindowRepaints(*parts[i].second, 50).median);
    form->SkinData1->SetActive(true);
    Settle(1000);
    frame = skin::TSkinManage::Instance() ? skin::TSkinManage::Instance()->FrameOf(form) : nullptr;
    if (!frame) {
      std::fprintf(stderr, "the main window was not skinned\n");
      return 1;
    }
    WindowRepaints(*form, 10);
    skinnedTimes.push_back(WindowRepaints(*form, 100).median);
    for (size_t i = 0; i < parts.size(); ++i) partSkinned[i].push_back(WindowRepaints(*parts[i].second, 50).median);
  }
  const Figures windowPlain = Summarise(plainTimes), windowSkinned = Summarise(skinnedTimes);
  std::printf("main window full repaint (%dx%d, %d control skinners), processor time, median of 5 x 100: skinned "
              "%.3f ms; unskinned %.3f ms; ratio %.2f (goal: <= 1.3)\n",
              form->width(), form->height(), static_cast<int>(frame->Skinners().size()), windowSkinned.median, windowPlain.median,
              windowSkinned.median / windowPlain.median);
  // What the frame alone costs: composing its borders and caption strip once.
  std::vector<double> frameTimes;
  for (int i = 0; i < 200; ++i) {
    const double t0 = CpuMs();
    const QImage composed = frame->ComposeFrame();
    frameTimes.push_back(CpuMs() - t0);
  }
  std::printf("  of which composing the frame (borders, caption strip): %.3f ms\n", Summarise(frameTimes).median);
  for (size_t i = 0; i < parts.size(); ++i)
    std::printf("  %-10s repaint: skinned %.3f ms, unskinned %.3f ms\n", parts[i].first,
                Summarise(partSkinned[i]).median, Summarise(partPlain[i]).median);
  return 0;
}
