// The stand-in converter run as a separate process, as the viewer runs it:
// document text in code page 932, the requests made by file name, and
// damaged or hostile containers.
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <thread>
#include <vector>

#include "peers/xdoc2txt_standin.h"
#include "support/test_files.h"

namespace zk {
namespace {

// ---- ZIP containers made here, byte by byte ----

struct Member {
  std::string name;
  std::string data;
  bool deflate = true;
};

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string RawDeflate(std::string_view data) {
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

std::string Zip(const std::vector<Member>& members) {
  std::string out, dir;
  for (const auto& m : members) {
    std::string packed = m.deflate ? RawDeflate(m.data) : m.data;
    uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size()));
    uint32_t offset = static_cast<uint32_t>(out.size());
    auto common = [&](std::string& s) {  // version needed ... name length
      Put16(s, 20);
      Put16(s, 0);
      Put16(s, m.deflate ? 8 : 0);
      Put16(s, 0);
      Put16(s, 0x21);
      Put32(s, crc);
      Put32(s, static_cast<uint32_t>(packed.size()));
      Put32(s, static_cast<uint32_t>(m.data.size()));
      Put16(s, static_cast<uint32_t>(m.name.size()));
      Put16(s, 0);
    };
    Put32(out, 0x04034b50);
    common(out);
    out += m.name + packed;
    Put32(dir, 0x02014b50);
    Put16(dir, 20);
    common(dir);
    Put16(dir, 0);
    Put32(dir, 0);
    Put32(dir, 0);
    Put32(dir, offset);
    dir += m.name;
  }
  uint32_t dir_offset = static_cast<uint32_t>(out.size());
  out += dir;
  Put32(out, 0x06054b50);
  Put32(out, 0);
  Put16(out, static_cast<uint32_t>(members.size()));
  Put16(out, static_cast<uint32_t>(members.size()));
  Put32(out, static_cast<uint32_t>(dir.size()));
  Put32(out, dir_offset);
  Put16(out, 0);
  return out;
}

std::string WordXml(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">\r\n"
         "  <w:body>\r\n" +
         body + "\r\n  </w:body>\r\n</w:document>";
}

std::string Docx(const std::string& body) {
  return Zip({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", WordXml(body)}, {"docProps/app.xml", "<x/>"}});
}

std::string Ansi(const std::wstring& w) {
  char buf[64];
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), buf, sizeof(buf), nullptr, nullptr);
  return std::string(buf, n > 0 ? n : 0);
}

// ---- running the stand-in ----

struct Outcome {
  std::string out, err;
  DWORD exit_code = 0;
  bool ended = false;
};

void Drain(HANDLE pipe, std::string& into) {
  char buf[8192];
  DWORD n = 0;
  while (ReadFile(pipe, buf, sizeof(buf), &n, nullptr) && n > 0) into.append(buf, n);
}

// Both pipes are drained on threads so that neither can fill up and stall the
// child; a child that hangs is ended after a generous guard time.
// `program` is how the command line names the converter: by default its full path.
Outcome RunStandin(const std::filesystem::path& document, std::wstring program = {}) {
  Outcome r;
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  if (!CreatePipe(&out_read, &out_write, &sa, 0)) return r;
  if (!CreatePipe(&err_read, &err_write, &sa, 0)) {
    CloseHandle(out_read);
    CloseHandle(out_write);
    return r;
  }
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out_write;
  si.hStdError = err_write;
  if (program.empty()) program = L"\"" + xdoc::StandinPath() + L"\"";
  std::wstring cmd = program + L" \"" + document.wstring() + L"\"";
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
  CloseHandle(out_write);
  CloseHandle(err_write);
  if (started) {
    std::thread out_reader(Drain, out_read, std::ref(r.out));
    std::thread err_reader(Drain, err_read, std::ref(r.err));
    r.ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    if (!r.ended) TerminateProcess(pi.hProcess, 99);
    out_reader.join();
    err_reader.join();
    GetExitCodeProcess(pi.hProcess, &r.exit_code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out_read);
  CloseHandle(err_read);
  return r;
}

class Xdoc2txtStandinTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "the tests expect the Japanese ANSI code page"; }

  std::filesystem::path Write(const std::wstring& name, const std::string& bytes) {
    auto path = dir_.path() / name;
    EXPECT_TRUE(test::WriteFileBytes(test::TempDir::Str(path), bytes));
    return path;
  }
  Outcome Convert(const std::wstring& name, const std::string& bytes) { return RunStandin(Write(name, bytes)); }

  test::TempDir dir_;
};

// ---- tests ----

TEST_F(Xdoc2txtStandinTest, DocxTextComesOutInCodePage932) {
  std::string body =
      "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"840\"/></w:tabs></w:pPr>"
      "<w:r><w:t>Tom &amp; Jerry &lt;b&gt; &quot;q&quot; &apos;a&apos; &#26085;&#x672C;</w:t></w:r></w:p>\r\n"
      "<w:p><w:r><w:t xml:space=\"preserve\">日本語 </w:t><w:tab/><w:t>テスト</w:t></w:r>"
      "<w:r><w:instrText> HYPERLINK \"x\" </w:instrText></w:r><w:r><w:br/><w:t>second</w:t></w:r></w:p>\r\n"
      "<w:p/>\r\n<w:p><w:r><w:t>&bogus; &#xZZ; &#0; end</w:t></w:r></w:p>";
  // A Japanese file name checks that the path arrives whole.
  Outcome r = Convert(L"報告書.DOCX", Docx(body));
  ASSERT_TRUE(r.ended);
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Tom & Jerry <b> \"q\" 'a' \x93\xFA\x96\x7B\r\n"
            "\x93\xFA\x96\x7B\x8C\xEA \t\x83\x65\x83\x58\x83\x67\r\nsecond\r\n"
            "\r\n"
            "&bogus; &#xZZ; " + Ansi(L"\uFFFD") + " end\r\n");  // &#0; is no character
}

TEST_F(Xdoc2txtStandinTest, SpreadsheetSlidesAndOpenDocumentGiveTheirText) {
  Outcome xlsx = Convert(L"book.xlsx",
                     Zip({{"xl/workbook.xml", "<workbook/>", false},
                          {"xl/sharedStrings.xml",
                           "<sst><si><t>価格</t><rPh sb=\"0\" eb=\"2\"><t>カカク</t></rPh></si>"
                           "<si><r><t>two </t></r><r><t>runs</t></r></si><si><t>a\nb</t></si></sst>",
                           false}}));
  EXPECT_EQ(xlsx.out, "\x89\xBF\x8A\x69\r\ntwo runs\r\na\r\nb\r\n");

  auto slide = [](const std::string& text) { return "<p:sld><a:p><a:r><a:t>" + text + "</a:t></a:r></a:p></p:sld>"; };
  Outcome pptx = Convert(L"deck.pptx", Zip({{"ppt/slides/slide10.xml", slide("ten")},
                                        {"ppt/slides/slide2.xml", slide("two")},
                                        {"ppt/slides/_rels/slide1.xml.rels", "<r>rels</r>"},
                                        {"ppt/slides/slide1.xml", slide("one")}}));
  EXPECT_EQ(pptx.out, "one\r\ntwo\r\nten\r\n");

  Outcome odt = Convert(L"letter.odt",
                    Zip({{"mimetype", "application/vnd.oasis.opendocument.text", false},
                         {"content.xml",
                          "<office:text><text:h>Title</text:h><text:p>a<text:s/>b<text:tab/>c"
                          "<text:span>d</text:span><text:line-break/>e</text:p></office:text>"}}));
  EXPECT_EQ(odt.out, "Title\r\na b\tcd\r\ne\r\n");
}

TEST_F(Xdoc2txtStandinTest, RtfIsReducedToTextAndOtherFilesPassThrough) {
  Outcome rtf = Convert(L"memo.rtf",
                    "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 MS Gothic;}}{\\*\\generator x;}"
                    "\\f0 Hello \\{x\\}\\par\r\n\\'93\\'fa\\'96\\'7b\\uc1\\u35486?\\tab {\\b bold}\\line end}");
  EXPECT_EQ(rtf.out, "Hello {x}\r\n\x93\xFA\x96\x7B\x8C\xEA\tbold\r\nend");

  std::string binary("\xD0\xCF\x11\xE0\0\0\xFF\r\n\x1A tail", 15);
  Outcome doc = Convert(L"old.doc", binary);
  EXPECT_EQ(doc.out, binary);
  EXPECT_EQ(doc.exit_code, 0u);

  // Found by its bare name once its folder is on PATH, as the viewer starts it.
  std::wstring path_before(32767, L'\0');
  path_before.resize(GetEnvironmentVariableW(L"PATH", path_before.data(), 32767));
  SetEnvironmentVariableW(L"PATH", (xdoc::StandinFolder() + L";" + path_before).c_str());
  Outcome by_name = RunStandin(Write(L"named.doc", "plain bytes"), L"xdoc2txt");
  SetEnvironmentVariableW(L"PATH", path_before.c_str());
  EXPECT_EQ(by_name.out, "plain bytes");

  Outcome missing = RunStandin(dir_.path() / L"missing.docx");
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.exit_code, 1u);
}

TEST_F(Xdoc2txtStandinTest, FileNameRequests) {
  std::string docx = Docx("<w:p><w:r><w:t>body text</w:t></w:r></w:p>");

  Outcome large = Convert(L"Large.docx", docx);
  EXPECT_GE(large.out.size(), 200000u);
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = large.out.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(large.out.substr(at, end - at));
  ASSERT_EQ(lines.size(), static_cast<size_t>(xdoc::kLargeLineCount + 1));
  for (int n = 1; n <= xdoc::kLargeLineCount; ++n) {
    char head[16];
    std::snprintf(head, sizeof(head), "line %05d ", n);
    ASSERT_EQ(lines[n - 1].substr(0, 11), head);
    ASSERT_EQ(lines[n - 1].size(), static_cast<size_t>(xdoc::kLargeLineWidth));
  }
  EXPECT_EQ(lines.back(), xdoc::kLargeEndLine);

  Outcome warn = Convert(L"with-stderr.docx", docx);
  EXPECT_EQ(warn.out, "body text\r\n");
  EXPECT_EQ(warn.err, std::string(xdoc::kStderrWarning) + "\r\n");

  Outcome silent = Convert(L"silent.docx", docx);
  EXPECT_EQ(silent.out + silent.err, "");
  EXPECT_EQ(silent.exit_code, 0u);

  Outcome late = Convert(L"late.docx", docx);
  EXPECT_EQ(late.out, "body text\r\n" + std::string(xdoc::kLateLine) + "\r\n");

  // Only the file's own name asks; its folder does not.
  std::filesystem::create_directory(dir_.path() / L"silent-large");
  Outcome plain = RunStandin(Write(L"silent-large\\plain.docx", docx));
  EXPECT_EQ(plain.out, "body text\r\n");
}

TEST_F(Xdoc2txtStandinTest, DamagedContainersGiveWhatCanBeRead) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "<w:p><w:r><w:t>paragraph " + std::to_string(i) + "</w:t></w:r></w:p>";
  std::string docx = Zip({{"word/document.xml", WordXml(text)}, {"word/styles.xml", "<styles/>"}});
  std::string full = Convert(L"whole.docx", docx).out;
  ASSERT_NE(full.find("paragraph 399\r\n"), std::string::npos);

  // Cut inside the document part: no central directory, so the local header is read.
  Outcome cut = Convert(L"cut.docx", docx.substr(0, docx.size() * 6 / 10));
  EXPECT_EQ(cut.exit_code, 0u);
  EXPECT_GT(cut.out.size(), 100u);
  EXPECT_LT(cut.out.size(), full.size());
  EXPECT_EQ(cut.out, full.substr(0, cut.out.size()));

  // A compressed size far past the end of the file: the stream itself still ends.
  std::string lying = docx;
  size_t central = lying.find(std::string("PK\x01\x02", 4));
  ASSERT_NE(central, std::string::npos);
  lying.replace(central + 20, 4, "\xF0\xFF\xFF\x7F");
  EXPECT_EQ(Convert(L"lying.docx", lying).out, full);

  // A member said to start past the end of the file.
  std::string far_away = docx;
  far_away.replace(central + 42, 4, "\x00\x00\x00\x70", 4);
  Outcome far_run = Convert(L"far.docx", far_away);
  EXPECT_EQ(far_run.exit_code, 0u);
  EXPECT_EQ(far_run.out, "");

  Outcome junk = Convert(L"junk.xlsx", "PK\x03\x04 not really a zip");
  EXPECT_EQ(junk.exit_code, 0u);
  EXPECT_EQ(junk.out, "");
}

TEST_F(Xdoc2txtStandinTest, ZipBombIsCutOffAndEndsNormally) {
  // 1 MB of empty runs, compressed once and repeated: each flushed segment
  // is a complete run of deflate blocks, so 4096 of them inflate to 4 GB.
  std::string pattern;
  while (pattern.size() < (1u << 20)) pattern += "<w:r/>";
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string segment(deflateBound(&zs, static_cast<uLong>(pattern.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(pattern.data());
  zs.avail_in = static_cast<uInt>(pattern.size());
  zs.next_out = reinterpret_cast<Bytef*>(segment.data());
  zs.avail_out = static_cast<uInt>(segment.size());
  deflate(&zs, Z_FULL_FLUSH);
  segment.resize(zs.total_out);
  deflateEnd(&zs);
  std::string stream;
  for (int i = 0; i < 4096; ++i) stream += segment;
  stream += std::string("\x03\x00", 2);  // final empty block

  // Written as a stored member, then marked as deflated.
  std::string zip = Zip({{"word/document.xml", stream, false}});
  zip[8] = zip[zip.find(std::string("PK\x01\x02", 4)) + 10] = 8;
  Outcome r = Convert(L"bomb.docx", zip);
  EXPECT_TRUE(r.ended);
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_EQ(r.out, "");
}

TEST_F(Xdoc2txtStandinTest, MangledContainersNeverCrash) {
  std::string docx = Docx("<w:p><w:r><w:t>some text &amp; more</w:t></w:r></w:p>");
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245 + 12345, seed >> 8; };
  std::vector<std::filesystem::path> files;
  for (int round = 0; round < 24; ++round) {
    std::string bad = docx;
    if (round % 3 == 0) bad.resize(1 + next() % bad.size());
    for (int k = 0; k < 1 + round % 4; ++k) bad[next() % bad.size()] = static_cast<char>(next());
    files.push_back(Write(L"mangled" + std::to_wstring(round) + L".docx", bad));
  }
  // Run side by side: starting a process is what takes the time here.
  std::vector<std::future<Outcome>> runs;
  for (const auto& f : files) runs.push_back(std::async(std::launch::async, [f] { return RunStandin(f); }));
  for (size_t i = 0; i < runs.size(); ++i) {
    Outcome r = runs[i].get();
    EXPECT_TRUE(r.ended) << files[i];
    EXPECT_EQ(r.exit_code, 0u) << files[i];
  }
}

}  // namespace
}  // namespace zk
