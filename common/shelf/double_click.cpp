// Applying the double-click metrics in one place, so the applet's save and
// Setup's defaults set the system alike.
#include "double_click.h"

#include "parameter_store.h"

namespace shelf {

BOOL ApplyDoubleClickMetrics(DWORD dblClickRegion, DWORD mouseMode) {
    store::DoubleClickMetrics metrics = store::MetricsFor(dblClickRegion, mouseMode);
    BOOL width = SystemParametersInfoA(store::kSpiSetDoubleClkWidth, metrics.width, NULL,
                                       store::kSpifUpdateIniFile);
    BOOL height = SystemParametersInfoA(store::kSpiSetDoubleClkHeight, metrics.height, NULL,
                                        store::kSpifUpdateIniFile);
    BOOL time = SystemParametersInfoA(store::kSpiSetDoubleClickTime, metrics.timeMs, NULL,
                                      store::kSpifUpdateIniFile);
    return width && height && time;
}

}  // namespace shelf
