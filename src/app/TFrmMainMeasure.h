// The measuring switches of the window (for tools/bench; no menu shows them):
//   --quit-after-first-paint   prints "first-paint elapsed_ms=… rss_kb=… hwm_kb=…" once the
//                              calendar grid has been painted the first time, and ends;
//   --cycle-views-then-quit    the same, then shows each of the eight view modes in turn and
//                              prints "all-views modes=12345678 …" (the modes it showed)
//                              before it ends.
// The program then ends at once, without the exit-time save, so the data folder stays as it was.
#pragma once

namespace kal::app {

class TFrmMain;

void AttachMeasuringSwitches(TFrmMain& window, bool cycle_views);

}  // namespace kal::app
