// The archiver command lines for arbitrary option sets, member names and
// operations on every format with a driver. Names and texts hold no quote, NUL
// or line break (no file system gives such names, and the command lines have
// no way to write them). Every line keeps its quotes paired, and each member
// name is found again, in order, by unquoting (and for ZIP unescaping) the
// line's values or the response file's lines.
#include "archive/archiver_errors.h"
#include "archive/drivers/archiver.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

enum class Op { kExtract, kMem, kPack, kDelete, kUpdate, kSfx };

std::string Name(fuzz::FuzzInput& in) {
  std::string s = in.Text(40);
  for (char& c : s)
    if (c == '"' || c == '\0' || c == '\r' || c == '\n') c = '_';
  return s;
}

// The reverse of EscapeZipName, which also writes "\" as "/".
std::string UnescapeZipName(std::string_view s, const LeadByteTest& lead) {
  std::string out;
  size_t i = 0;
  if (s.starts_with("[-]")) {
    out.push_back('-');
    i = 3;
  }
  for (; i < s.size(); ++i) {
    if (lead.IsLeadByte(static_cast<uint8_t>(s[i])) && i + 1 < s.size()) {
      out += s.substr(i, 2);
      ++i;
    } else if (s[i] == '/') {
      out += '\\';
    } else if (s.substr(i, 3) == "[[]") {
      out += '[';
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The name as ZIP sees it: "/" and "\" both separate folders.
std::string ZipSeparators(std::string_view s, const LeadByteTest& lead) {
  std::string out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    if (lead.IsLeadByte(static_cast<uint8_t>(out[i])) && i + 1 < out.size()) ++i;
    else if (out[i] == '/') out[i] = '\\';
  }
  return out;
}

// The texts between pairs of quotes; nothing when a quote is left open.
std::optional<std::vector<std::string>> QuotedValues(std::string_view line) {
  std::vector<std::string> values;
  size_t at = 0;
  while ((at = line.find('"', at)) != std::string_view::npos) {
    const size_t end = line.find('"', at + 1);
    if (end == std::string_view::npos) return std::nullopt;
    values.emplace_back(line.substr(at + 1, end - at - 1));
    at = end + 1;
  }
  return values;
}

// Whether the names appear in the values in order, each as one whole value.
bool NamesInOrder(const std::vector<std::string>& values, const std::vector<std::string>& names,
                  const std::function<std::string(const std::string&)>& unescape) {
  size_t next = 0;
  for (const std::string& v : values)
    if (next < names.size() && unescape(v) == names[next]) ++next;
  return next == names.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Cp932LeadBytes lead;
  const fuzz::Latin1Codec ansi;
  fuzz::FuzzInput in(data, size);

  constexpr TArchiverType kTypes[] = {atLha, atZip, atCab, atTar, atTgz, atBZ2, atRar, atBga, atYz1, at7z};
  const TArchiverType type = kTypes[in.Pick(std::size(kTypes))];
  const Op op = static_cast<Op>(in.Pick(6));
  const uint8_t flags = in.Byte();
  const ZipLibraries zip{(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};

  TArchiverOptions options;
  for (const OptionField& field : OptionFields()) {
    const uint8_t pick = in.Byte();
    switch (field.kind) {
      case OptionKind::kNumber: options.*field.number = static_cast<int8_t>(pick % 4 == 0 ? in.Byte() : pick % 4 - 2); break;
      case OptionKind::kText: options.*field.text = pick % 3 == 0 ? std::string(kUnsetOption) : Name(in); break;
      case OptionKind::kList:
        for (unsigned k = pick % 3; k > 0; --k) options.jx.push_back(Name(in));
        break;
    }
  }
  options.UserOptions = Name(in);
  options.UserFileList = Name(in);
  if (flags & 8) options.ResFileName = u"C:\\tmp\\zk.res";

  ArchiveCommandInput input;
  input.archive = Name(in);
  input.folder = Name(in);
  input.use_response_file = (flags & 16) != 0;
  for (unsigned k = in.Pick(5); k > 0; --k) {
    switch (in.Pick(5)) {
      case 0: input.files.emplace_back(Name(in)); break;
      case 1: input.files.emplace_back(std::vector<std::string>{Name(in), Name(in)}); break;
      case 2: input.files.emplace_back(TextList{{Name(in), Name(in)}}); break;
      case 3: input.files.emplace_back(u"wide"); break;
      default: input.files.emplace_back(std::monostate{}); break;
    }
  }
  const std::string member = Name(in);

  std::unique_ptr<TArchiver> driver = CreateArchiverDriver(type);
  fuzz::Require(driver != nullptr, "a format without its driver");
  if (flags & 32) driver->RecordOwnerWindow(0x1234);
  const CommandEnvironment env{lead, ansi, [](const std::string& name) { return "C:\\cur\\" + name; }, zip};

  ArchiveCommand command;
  try {
    switch (op) {
      case Op::kExtract: command = driver->BuildExtractCommand(input, options, env); break;
      case Op::kMem: command = driver->BuildExtractMemCommand(input.archive, member, options, env); break;
      case Op::kPack: command = driver->BuildPackCommand(input, options, env); break;
      case Op::kDelete: command = driver->BuildDeleteCommand(input, options, env); break;
      case Op::kUpdate: command = driver->BuildUpdateCommand(input, options, env); break;
      case Op::kSfx: command = driver->BuildSfxCommand(input, options, env); break;
    }
  } catch (const EArchiver&) {
    return 0;
  } catch (const EArchiverAssertion&) {
    return 0;
  }

  const std::optional<std::vector<std::string>> values = QuotedValues(command.line);
  fuzz::Require(values.has_value(), "a quote left open");
  const bool escaped = type == atZip && !(op == Op::kPack && !zip.zip32j && zip.lmzip32);
  // LHA and BGA make a self-extractor of the whole archive: no names go with it.
  std::vector<std::string> names;
  if (op == Op::kMem) names = FlattenFileList({member});
  else if (op != Op::kSfx || type == atCab) names = FlattenFileList(input.files);
  for (std::string& n : names) {
    fuzz::Require(UnescapeZipName(EscapeZipName(n, lead), lead) == ZipSeparators(n, lead), "ZIP escape does not round-trip");
    if (escaped) n = ZipSeparators(n, lead);
  }
  const auto unescape = [&](const std::string& v) { return escaped ? UnescapeZipName(v, lead) : v; };

  if (command.response_file) {
    std::vector<std::string> lines;
    std::string_view contents = command.response_file->contents;
    for (size_t end; (end = contents.find("\r\n")) != std::string_view::npos; contents.remove_prefix(end + 2)) {
      const std::string_view line = contents.substr(0, end);
      fuzz::Require(line.size() >= 2 && line.front() == '"' && line.back() == '"', "response line not quoted");
      lines.emplace_back(line.substr(1, line.size() - 2));
    }
    fuzz::Require(contents.empty(), "response file ends mid-line");
    fuzz::Require(lines.size() == names.size() && NamesInOrder(lines, names, unescape), "response file names differ");
  } else {
    fuzz::Require(NamesInOrder(*values, names, unescape), "member names lost from the line");
  }
  return 0;
}
