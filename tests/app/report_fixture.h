// A hidden main window whose program file is the zarvik.exe of this build, so
// that its version resource is there, with message boxes answered by the test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/text.h"
#include "base/win_text.h"
#include "win/test_util.h"

namespace zk::test {

// A file beside the test program (the build's bin folder).
inline std::u16string BinFile(const wchar_t* name) {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
  return TempDir::Str(std::filesystem::path(std::wstring(buf, n)).parent_path() / name);
}

struct AnsweredBox {
  std::wstring text, caption;
  UINT type;
};

class ReportFixture : public ::testing::Test {
 protected:
  std::unique_ptr<TZKMainForm> MakeForm() {
    MainFormOptions o;
    o.program_path = BinFile(L"zarvik.exe");
    o.params = {u"-i" + dir_.u16()};
    o.unique_name = u"ZarvikReportTest" + Ascii(std::to_string(GetCurrentProcessId()));
    o.temp_folder = dir_.u16();
    o.quit_on_destroy = false;
    o.message_box = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({text, caption, type});
      return answer_;
    };
    auto form = std::make_unique<TZKMainForm>(std::move(o));
    EXPECT_TRUE(form->Create());
    return form;
  }

  static std::vector<std::u16string> Lines(const std::u16string& report) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t cr; (cr = report.find(u'\r', start)) != std::u16string::npos; start = cr + 1)
      lines.push_back(report.substr(start, cr - start));
    return lines;
  }

  TempDir dir_;
  std::vector<AnsweredBox> boxes_;
  int answer_ = IDOK;
};

}  // namespace zk::test
