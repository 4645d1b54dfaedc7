// Appends numbered lines to a run log as fast as it can, so that a test can
// run two of these at once against one log.
// run_log_writer LOG PROGRAM COUNT append|locked

#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/run_log.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const LogAppending appending =
      std::string(argv[4]) == "locked" ? LogAppending::kLockedLine : LogAppending::kAppendData;
  RunLog log(argv[1], argv[2], appending);
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) log.Write({"line ", DecimalText(i), " of this writer"});
  return 0;
}
