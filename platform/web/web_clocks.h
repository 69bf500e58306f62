// What the clocks tell the rest of the web platform.
#ifndef QO_PLATFORM_WEB_WEB_CLOCKS_H
#define QO_PLATFORM_WEB_WEB_CLOCKS_H

namespace web {

// The performance.now() time (whole milliseconds) that the last GetTickCount
// reading stands for: the demo's running time counts from such a reading.
double last_tick_count_time();

}  // namespace web

#endif
