// Several threads log while another drains: every item comes out exactly
// once, and each thread's items keep their order.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "log_test_support.h"

namespace morvik::test {
namespace {

constexpr int kWriters = 4;
constexpr int kItemsPerWriter = 3000;

// Splits read-out text into record bodies by their prefixes.
std::vector<std::string> Bodies(const std::string& readOut) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < readOut.size()) {
    const std::size_t next = readOut.find("Msg: ", pos + 5);
    const std::size_t end = next == std::string::npos ? readOut.size() : next;
    out.push_back(readOut.substr(pos, end - pos));
    pos = end;
  }
  return out;
}

void CheckEveryItemOnceInOrder(const std::vector<std::string>& records) {
  std::map<int, int> nextOf;  // writer -> next expected sequence number
  int messages = 0;
  for (const auto& record : records) {
    if (record.rfind("Evt: ", 0) == 0) continue;
    ASSERT_EQ(record.rfind("Msg: t", 0), 0u) << record;
    const int writer = std::stoi(record.substr(6));
    const int seq = std::stoi(record.substr(record.find(':', 6) + 1));
    ASSERT_EQ(seq, nextOf[writer]) << "writer " << writer;
    ++nextOf[writer];
    ++messages;
  }
  EXPECT_EQ(messages, kWriters * kItemsPerWriter);
  for (int w = 0; w < kWriters; ++w) EXPECT_EQ(nextOf[w], kItemsPerWriter);
}

template <typename Drain>
std::string RunWritersWhile(I_Morvik* log, Drain drain) {
  std::atomic<int> running{kWriters};
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([log, w, &running] {
      for (int i = 0; i < kItemsPerWriter; ++i) {
        const std::string text = "t" + std::to_string(w) + ":" + std::to_string(i);
        log->Message(T(text).c_str());
      }
      --running;
    });
  }
  std::string out;
  std::thread drainer([&] {
    int round = 0;
    for (;;) {
      const bool last = running.load() == 0;
      out += drain(round++);
      if (last && log->GetCount() == 0) break;
      std::this_thread::yield();
    }
  });
  for (auto& t : writers) t.join();
  drainer.join();
  return out;
}

TEST(LogConcurrency, GetLogDataDrainsWhileThreadsLog) {
  LogHandle log;
  Bytes buffer(1000);
  const std::string out = RunWritersWhile(log.get(), [&](int) {
    const uint32_t n = log->GetLogData(buffer.data(), 1000);
    return Narrow(FromUtf16Le(Bytes(buffer.begin(), buffer.begin() + n)));
  });
  CheckEveryItemOnceInOrder(Bodies(out));
}

TEST(LogConcurrency, ExportsDrainWhileThreadsLog) {
  TempDir dir;
  LogHandle log;
  const std::string out = RunWritersWhile(log.get(), [&](int round) {
    const auto path = dir / ("export-" + std::to_string(round) + ".dat");
    EXPECT_TRUE(log->ExportToFile(PathText(path).c_str(), round % 2 == 1));
    Bytes bytes = ReadFileBytes(path);
    std::filesystem::remove(path);
    // Each export here fits into one chunk, so one pass of the key undoes it.
    if (round % 2 == 1) bytes = Scrambled(bytes);
    return Narrow(FromUtf16Le(bytes));
  });
  // The event records end without a separator, so split on both prefixes.
  std::vector<std::string> records;
  for (auto& body : Bodies(out)) {
    std::size_t evt = body.find("Evt: ");
    if (evt == std::string::npos || evt == 0) {
      records.push_back(body);
    } else {
      records.push_back(body.substr(0, evt));
      records.push_back(body.substr(evt));
    }
  }
  CheckEveryItemOnceInOrder(records);
}

TEST(LogConcurrency, LockIsReenteredOnTheSameThread) {
  LogHandle log;
  // ExportToFile takes the lock and logs its event under it; a deadlock
  // here would hang the test until its timeout.
  TempDir dir;
  log->Message(MORVIK_TEXT("x"));
  EXPECT_TRUE(log->ExportToFile(PathText(dir / "x.dat").c_str(), false));
}

}  // namespace
}  // namespace morvik::test
