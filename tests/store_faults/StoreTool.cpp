// kyt-store-tool: the counters' settings store on a given file, driven from
// the command line, so that tests can run it in conditions they cannot set
// up inside their own process (a file-size limit, a full or read-only file
// system).
//
//   kyt-store-tool FILE load
//       prints "exists=0|1" and one line per count: "sza1=12",
//       "sza2:missing" or "szb1:wrongtype"
//   kyt-store-tool FILE save V1 ... V8
//       stores the eight counts in the save order of the program (sza1,
//       sza2, szb1, szb2, dkob, dkoa, dpob, dpoa); prints "saved" (status 0)
//       or "refused" (status 3)
#include "SettingsCounterStore.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kyt-store-tool FILE load | save V1 ... V8\n");
        return 2;
    }
    kyt::SettingsCounterStore store(QString::fromLocal8Bit(argv[1]));
    if (std::strcmp(argv[2], "load") == 0 && argc == 3) {
        std::printf("exists=%d\n", store.exists() ? 1 : 0);
        for (const char* name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"}) {
            const auto r = store.read(name);
            switch (r.status) {
            case kyt::CounterStore::ReadStatus::Ok:
                std::printf("%s=%d\n", name, int(r.value));
                break;
            case kyt::CounterStore::ReadStatus::Missing: std::printf("%s:missing\n", name); break;
            case kyt::CounterStore::ReadStatus::WrongType:
                std::printf("%s:wrongtype\n", name);
                break;
            }
        }
        return 0;
    }
    if (std::strcmp(argv[2], "save") == 0 && argc == 11) {
        const char* names[] = {"sza1", "sza2", "szb1", "szb2", "dkob", "dkoa", "dpob", "dpoa"};
        std::array<kyt::NamedCount, 8> counts;
        for (int i = 0; i < 8; ++i)
            counts[std::size_t(i)]
                = {names[i], std::int32_t(std::strtol(argv[3 + i], nullptr, 10))};
        const bool ok = store.write(counts);
        std::printf("%s\n", ok ? "saved" : "refused");
        return ok ? 0 : 3;
    }
    std::fprintf(stderr, "usage: kyt-store-tool FILE load | save V1 ... V8\n");
    return 2;
}
