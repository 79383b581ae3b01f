// A helper process for the tests of Ripasso's progress:
//   ripasso_helper answer DB RUN   answers new cards "RUN-0", "RUN-1", ... through the store,
//                                  printing each one's number once it is committed, until it
//                                  is killed
//   ripasso_helper hold DB         holds an exclusive SQLite lock on DB, as another program
//                                  might, printing "held", until it is killed
//   ripasso_helper open DB         opens DB as a user without rights to it (the user nobody,
//                                  when run by root) and prints the problem's number and message

#include "ripasso/progress_store.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    if (mode == "hold") {
        sqlite3* db = nullptr;
        if (sqlite3_open(argv[2], &db) != SQLITE_OK ||
            sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
            return 1;
        std::puts("held");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    if (mode == "open") {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 1;
        ripasso::StoreError error;
        ripasso::ProgressStore::open(argv[2], error);
        std::printf("%d\n%s\n", static_cast<int>(error.problem), error.message.c_str());
        return 0;
    }
    if (mode != "answer" || argc != 4)
        return 2;
    ripasso::StoreError error;
    const auto store = ripasso::ProgressStore::open(argv[2], error);
    if (!store) {
        std::fprintf(stderr, "%s\n", error.message.c_str());
        return 1;
    }
    for (int i = 0;; ++i) {
        const ripasso::StoredCard card{
            {std::string(argv[3]) + "-" + std::to_string(i), "p",
             ripasso::CardDirection::ItalianToThai},
            ripasso::answerCard(std::nullopt, 100, ripasso::Grade::Good)};
        if (!store->saveAnswer(card, ripasso::Grade::Good)) {
            std::fprintf(stderr, "%s\n", store->lastError().message.c_str());
            return 1;
        }
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
