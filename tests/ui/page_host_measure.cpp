// Measures the page hosts on the real engine: memory of the whole process
// tree with waiting and loaded pages, whether hidden pages stay alive, and
// how long a local page takes to load. Not a test; prints figures.
//
//   page_host_measure waiting   PSS with 0 and with 100 (and 1000) waiting pages
//   page_host_measure loaded    PSS with 50 loaded shop pages of 5 sites, then
//                               shows each again and counts reloads
//   page_host_measure timing    start of a load to its end, first and later ones
//
// Run offscreen (QT_QPA_PLATFORM=offscreen; QTWEBENGINE_DISABLE_SANDBOX=1 as
// root). QTWEBENGINE_CHROMIUM_FLAGS given in the environment is added to the
// program's own engine flags.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEnginePage>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "core/files/setting_keys.h"
#include "local_http_server.h"
#include "test_page_tabs.h"
#include "ui/base/qt_text.h"
#include "ui/browser/browser_profile.h"
#include "ui/browser/web_engine_control.h"
#include "ui_test_support.h"

namespace tolvane {
namespace {

struct TreeMemory {
  int processes = 0;
  long long pss_kb = 0;
  long long rss_kb = 0;
  long long main_pss_kb = 0;  // the program's own process
};

long long FieldKb(const QByteArray& text, const QByteArray& name) {
  const qsizetype at = text.indexOf("\n" + name);
  if (at < 0) return 0;
  const QByteArray rest = text.mid(at + 1 + name.size()).trimmed();
  return rest.left(rest.indexOf(' ')).toLongLong();
}

// The program and every process below it (the engine's zygotes, renderers
// and utility processes).
TreeMemory MeasureTree() {
  std::map<long long, long long> parent_of;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const long long pid = entry.toLongLong(&number);
    if (!number) continue;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 1) parent_of[pid] = fields[1].toLongLong();
  }
  std::vector<long long> tree{QCoreApplication::applicationPid()};
  for (std::size_t i = 0; i < tree.size(); ++i) {
    for (const auto& [pid, parent] : parent_of) {
      if (parent == tree[i]) tree.push_back(pid);
    }
  }
  TreeMemory memory;
  for (long long pid : tree) {
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = "\n" + rollup.readAll();
    ++memory.processes;
    if (pid == tree.front()) memory.main_pss_kb = FieldKb(text, "Pss:");
    memory.pss_kb += FieldKb(text, "Pss:");
    memory.rss_kb += FieldKb(text, "Rss:");
  }
  return memory;
}

void Print(const char* label, const TreeMemory& m) {
  std::printf("%-34s processes %3d  PSS %7.1f MB (program %6.1f MB)  RSS %7.1f MB\n", label,
              m.processes, static_cast<double>(m.pss_kb) / 1024,
              static_cast<double>(m.main_pss_kb) / 1024, static_cast<double>(m.rss_kb) / 1024);
  std::fflush(stdout);
}

TreeMemory Settled() {
  test::Spin(3000);
  return MeasureTree();
}

// A search result page of a shop: 300 rows of items and a little script.
QByteArray ShopPage(int site) {
  QByteArray rows;
  for (int i = 0; i < 300; ++i) {
    rows += "<tr><td><a href=\"/item/" + QByteArray::number(i) + "\">item " +
            QByteArray::number(i) + "</a></td><td class=\"price\">" +
            QByteArray::number(1000 + i * 7) + " yen</td><td>in stock</td></tr>\n";
  }
  return "<html><head><link rel=\"icon\" href=\"data:,\"><title>shop " + QByteArray::number(site) +
         "</title><style>td{padding:2px}.price{color:#c00}</style></head><body>"
         "<h1>results</h1><table>" +
         rows +
         "</table><script>var total=0;document.querySelectorAll('.price').forEach("
         "function(e){total+=parseInt(e.textContent)});document.title+=' '+total;</script>"
         "</body></html>";
}

bool WaitAllLoaded(test::TestPageTabs& tabs, int ms) {
  return test::WaitFor([&] { return tabs.AllLoaded(); }, ms);
}

int Waiting() {
  test::LocalHttpServer server;
  server.page("/shop", ShopPage(0));
  test::TestPageTabs tabs(BrowserProfile::Current());
  Write(tabs.settings(), settings::kLoadingMode, 0);  // hidden pages wait
  tabs.Start();
  tabs.Open(server.base().toStdString() + "/shop");
  if (!WaitAllLoaded(tabs, 30000)) return 1;
  const TreeMemory one = Settled();
  Print("1 loaded page", one);
  for (int i = 0; i < 100; ++i)
    tabs.Open(server.base().toStdString() + "/shop?w=" + std::to_string(i));
  const TreeMemory hundred = Settled();
  Print("+100 waiting pages", hundred);
  for (int i = 100; i < 1000; ++i) {
    tabs.Open(server.base().toStdString() + "/shop?w=" + std::to_string(i));
  }
  const TreeMemory thousand = Settled();
  Print("+1000 waiting pages", thousand);
  std::printf("per waiting page: %.1f KB (100), %.1f KB (1000); requests to the server: %d\n",
              static_cast<double>(hundred.pss_kb - one.pss_kb) / 100,
              static_cast<double>(thousand.pss_kb - one.pss_kb) / 1000,
              static_cast<int>(server.requests().size()));
  return 0;
}

int Loaded() {
  constexpr int kSites = 5;
  constexpr int kPages = 50;
  std::vector<std::unique_ptr<test::LocalHttpServer>> sites;
  for (int s = 0; s < kSites; ++s) {
    sites.push_back(std::make_unique<test::LocalHttpServer>());
    if (!sites.back()->ok()) return 1;
    sites.back()->page("/search", ShopPage(s));
  }
  // Names rather than addresses, as real shops have: the engine groups
  // pages into processes by site. main() maps the names to 127.0.0.1.
  auto site_url = [&](int s) {
    return "http://shop" + std::to_string(s + 1) +
           ".test:" + std::to_string(sites[static_cast<std::size_t>(s)]->port());
  };
  test::TestPageTabs tabs(BrowserProfile::Current());
  Write(tabs.settings(), settings::kLoadingMode, 2);
  Write(tabs.settings(), settings::kLoadingMaxLoading, 10);
  tabs.Start();
  Print("before any page", MeasureTree());
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < kPages; ++i) {
    tabs.Open(site_url(i % kSites) + "/search?p=" + std::to_string(i));
  }
  if (!WaitAllLoaded(tabs, 120000)) return 1;
  std::printf("50 pages loaded in %lld ms\n", static_cast<long long>(clock.elapsed()));
  Print("50 loaded pages of 5 sites", Settled());

  auto requests = [&] {
    int n = 0;
    for (const auto& site : sites) n += static_cast<int>(site->requests().size());
    return n;
  };
  const int before = requests();
  std::map<int, int> states;
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    tabs.Select(i);
    test::Spin(100);
  }
  test::Spin(1000);
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    ++states[static_cast<int>(tabs.control(tabs.host(i))->page()->lifecycleState())];
  }
  std::printf("after showing every page again: %d new requests; lifecycle states:",
              requests() - before);
  for (const auto& [state, count] : states)
    std::printf(" %s x%d", state == 0 ? "Active" : state == 1 ? "Frozen" : "Discarded", count);
  std::printf("\n");
  Print("after showing each page", MeasureTree());
  tabs.Select(0);
  test::Spin(10000);
  Print("10 s later, page 1 shown", MeasureTree());
  // Each page once shown keeps frame buffers in this process until it goes.
  for (std::size_t i = tabs.size() - 1; i > 0; --i) tabs.ClosePageTab(tabs.host(i));
  test::Spin(5000);
  Print("49 pages closed", MeasureTree());
  return 0;
}

int Timing() {
  test::LocalHttpServer server;
  server.page("/shop", ShopPage(0));
  test::TestPageTabs tabs(BrowserProfile::Current());
  tabs.Start();
  std::map<const PageHost*, QElapsedTimer> started;
  std::vector<double> host_ms;
  std::vector<double> engine_ms;
  tabs.on_page_changed = [&](PageHost& host) {
    if (host.load_state() != LoadState::kLoading || started.count(&host) != 0) return;
    started[&host].start();
    QWebEnginePage* page = tabs.control(host)->page();
    QObject::connect(page, &QWebEnginePage::loadFinished, page, [&, at = &host] {
      engine_ms.push_back(static_cast<double>(started[at].nsecsElapsed()) / 1e6);
    });
  };
  tabs.on_load_ended = [&](PageHost& host, bool) {
    host_ms.push_back(static_cast<double>(started[&host].nsecsElapsed()) / 1e6);
  };
  constexpr int kRuns = 21;
  for (int i = 0; i < kRuns; ++i) {
    tabs.Open(server.base().toStdString() + "/shop?t=" + std::to_string(i));
    tabs.Select(tabs.size() - 1);
    if (!WaitAllLoaded(tabs, 30000)) return 1;
    test::Spin(200);
  }
  auto report = [](const char* what, std::vector<double> ms) {
    const double first = ms.front();
    std::vector<double> warm(ms.begin() + 1, ms.end());
    std::sort(warm.begin(), warm.end());
    std::printf("%-40s first %6.1f ms; warm median %6.1f ms, min %6.1f, max %6.1f (n=%zu)\n", what,
                first, warm[warm.size() / 2], warm.front(), warm.back(), warm.size());
  };
  // The first load of the run also starts the engine's processes.
  report("start -> engine load finished", engine_ms);
  report("start -> page host load end (100 ms poll)", host_ms);
  return 0;
}

}  // namespace
}  // namespace tolvane

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  // shop1.test ... resolve to this machine (the ports tell the sites apart).
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") +
                                            " --host-resolver-rules=\"MAP *.test 127.0.0.1\"");
  QTemporaryDir data;
  tolvane::BrowserProfile::Open(tolvane::QStringToPath(data.path()));
  std::printf("engine flags: %s\n", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").constData());
  const QByteArray what = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  if (what == "waiting") return tolvane::Waiting();
  if (what == "loaded") return tolvane::Loaded();
  if (what == "timing") return tolvane::Timing();
  std::fprintf(stderr, "usage: page_host_measure waiting|loaded|timing\n");
  return 2;
}
