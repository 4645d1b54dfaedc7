#pragma once

// Gives the process's resident pages back to the system (NT family only;
// elsewhere, and on any failure, nothing happens).
void TrimWorkingSet();
