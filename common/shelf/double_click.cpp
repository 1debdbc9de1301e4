// Applying the double-click metrics in one place, so the applet's save and
// Setup's defaults set the system alike.
#include "double_click.h"

#include "parameter_store.h"

namespace shelf {

void ApplyDoubleClickMetrics(DWORD dblClickRegion, DWORD mouseMode) {
    store::DoubleClickMetrics metrics = store::MetricsFor(dblClickRegion, mouseMode);
    SystemParametersInfoA(store::kSpiSetDoubleClkWidth, metrics.width, NULL,
                          store::kSpifUpdateIniFile);
    SystemParametersInfoA(store::kSpiSetDoubleClkHeight, metrics.height, NULL,
                          store::kSpifUpdateIniFile);
    SystemParametersInfoA(store::kSpiSetDoubleClickTime, metrics.timeMs, NULL,
                          store::kSpifUpdateIniFile);
}

}  // namespace shelf
