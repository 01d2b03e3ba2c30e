#pragma once

namespace startup {

// The program: one instance per user, its windows made in their fixed order, the event loop,
// and the orderly end. Always returns 0.
int runVeskel(int& argc, char** argv);

} // namespace startup
