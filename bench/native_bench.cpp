// Native benchmarks of the main window's hot paths, on the fake system side (a benchmark,
// not a test): one hit test over the grid, as at every pointer move, and a Select All plus
// Sort of all 256 squares with the repaint that follows. Prints the median of several
// batches for each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "editor/SDIMain.h"
#include "shell/Tintmesh.h"
#include "toolkit/fake/FakeSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

TColor Scrambled(int i) {  // a fixed, unsorted palette
  const unsigned h = static_cast<unsigned>(i) * 2654435761u;
  return static_cast<TColor>((h >> 8) & 0xFFFFFF);
}

}  // namespace

int main(int argc, char** argv) {
  FakeSystem fake;
  fake.SetResourceDir(argc > 1 ? argv[1] : "resources");
  InstallSystemPort(&fake);
  {
    TApplication app;
    app.Title = "Tintmesh";
    CreateTintmeshWindows();
    app.Run();
    TSDIAppForm* main = SDIAppForm;
    const auto& squares = main->GetSquares();
    auto at = [&](int i) {
      return TPoint{main->Left + squares[i]->Left + 7, main->Top + squares[i]->Top + 7};
    };

    // Hit test: the window's answer to WM_NCHITTEST with the pointer over each square in
    // turn and no button down, as at every pointer move.
    std::vector<double> hit;
    for (int batch = 0; batch < 15; ++batch) {
      const int moves = 256 * 40;
      const auto start = Clock::now();
      for (int n = 0; n < moves; ++n) {
        const TPoint p = at(n % 256);
        fake.SetCursorPos(p.x, p.y);
        TMessage message{};
        message.Msg = WM_NCHITTEST;
        message.LParam = PointToLParam(p.x, p.y);
        main->Dispatch(message);
      }
      hit.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / moves);
      fake.ClearSent();
      fake.ClearInvalidations();
    }

    // Select All and Sort of all 256 squares, then the repaint.
    std::vector<double> sort;
    for (int batch = 0; batch < 15; ++batch) {
      for (int i = 0; i < 256; ++i) squares[i]->Brush->Color = Scrambled(i);
      fake.PaintAll();
      fake.ClearInvalidations();
      const auto start = Clock::now();
      main->SelectAll1Click(nullptr);
      main->Sort1Click(nullptr);
      fake.PaintAll();
      sort.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      fake.ClearInvalidations();
      fake.ClearSent();
    }
    std::printf("hit test over the grid:        %8.3f us (median of %zu batches; goal 2 us or less)\n",
                Median(hit), hit.size());
    std::printf("Select All + Sort + repaint:   %8.1f us (median of %zu)\n", Median(sort), sort.size());
  }
  InstallSystemPort(nullptr);
  return 0;
}
