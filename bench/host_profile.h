// Where a row of the host benchmark spends its time, seen from the bench process only (the
// library is the one a host loads, unchanged):
//  - the library's calls into the system, timed through its import address table: count, time
//    with what they call back into, and time of their own (without the observed calls nested in
//    them); per message for the message calls, per command for the MCI calls;
//  - the messages the library thread's windows receive (WH_CALLWNDPROC and WH_GETMESSAGE hooks);
//  - the library's thread sampled every few milliseconds: the module its instruction pointer is
//    in (Windows modules, and the Unix libraries of Wine beside them), and, when it is in the
//    library's own code, the function (named from the library's symbol table).
// Observing costs time of its own: a profiled run is slower than a plain one (the calls' own
// figures least), and the figures are to be read as shares.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace bench {

class Profile {
public:
    // Observes `library` on the calling thread (the thread that calls the exports), sampling it
    // every `sampleMs` milliseconds (0: no sampling; each sample stops the thread for a moment).
    Profile(HMODULE library, int sampleMs);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // What a measured stretch observes. Each costs time of its own, most of all under Wine, where
    // a hook is a round trip to the server for every message and a sample stops the thread:
    // the calls are timed in stretches of their own, and messages and samples gathered in
    // others.
    enum class Watch { Calls, Messages, Samples };
    // Starts a measured stretch; the figures add up over stretches until Reset. May be called
    // from another thread than the library's, as may Stop.
    void Start(Watch what);
    void Stop();
    void Reset();
    // Prints the figures gathered since Reset, under `title`.
    void Print(const std::string& title) const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace bench
