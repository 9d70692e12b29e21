#include "archive/archiver_options.h"

namespace zk {

#define ZK_NUM(n) OptionField{#n, OptionKind::kNumber, &TArchiverOptions::n, nullptr}
#define ZK_TEXT(n) OptionField{#n, OptionKind::kText, nullptr, &TArchiverOptions::n}

const std::vector<OptionField>& OptionFields() {
  static const std::vector<OptionField> fields = {
    ZK_NUM(a),    ZK_NUM(c),    ZK_NUM(e),    ZK_NUM(f),    ZK_NUM(h),    ZK_NUM(i),    ZK_NUM(l),
    ZK_NUM(m),    ZK_NUM(n),    ZK_NUM(o),    ZK_NUM(p),    ZK_NUM(r),    ZK_NUM(s),    ZK_NUM(t),
    ZK_NUM(u),    ZK_TEXT(w),   ZK_NUM(x),    ZK_NUM(y),    ZK_NUM(z),    ZK_NUM(jc),   ZK_NUM(jd),
    ZK_NUM(je),   ZK_NUM(jf),   ZK_NUM(jh),   ZK_NUM(ji),   ZK_NUM(jm),   ZK_NUM(jn),   ZK_TEXT(jo),
    ZK_TEXT(job), ZK_NUM(jp),   ZK_NUM(jr),   ZK_NUM(jsb),  ZK_NUM(jsc),  ZK_NUM(jsd),  ZK_NUM(jse),
    ZK_NUM(jsf),  ZK_NUM(jsl),  ZK_NUM(jso),  ZK_NUM(jss),  ZK_NUM(jst),  ZK_NUM(jsv),  ZK_NUM(jsz),
    ZK_NUM(jw),   OptionField{"jx", OptionKind::kList, nullptr, nullptr},
    ZK_NUM(jyc),  ZK_NUM(jyd),  ZK_NUM(jyk),  ZK_NUM(jyn),  ZK_NUM(jyo),  ZK_TEXT(jz),  ZK_NUM(ga),
    ZK_NUM(gd),   ZK_NUM(ge),   ZK_NUM(gf),   ZK_NUM(gj),   ZK_NUM(gm),   ZK_NUM(gn),   ZK_NUM(go),
    ZK_NUM(gp),   ZK_TEXT(gr),  ZK_NUM(gs),   ZK_NUM(gu),   ZK_NUM(gw),   ZK_NUM(gya),  ZK_NUM(gyc),
    ZK_TEXT(gyd), ZK_TEXT(gye), ZK_NUM(gyo),  ZK_NUM(gyq),  ZK_NUM(gys),  ZK_TEXT(gyt), ZK_TEXT(gyw),
    ZK_NUM(gyx),
  };
  return fields;
}

#undef ZK_NUM
#undef ZK_TEXT

void TArchiverOptions::Reset() {
  for (const OptionField& field : OptionFields()) {
    if (field.kind == OptionKind::kNumber) this->*field.number = -1;
    if (field.kind == OptionKind::kText) this->*field.text = std::string(kUnsetOption);
  }
  jx.clear();
  UserOptions.clear();
  UserFileList.clear();
  PackFilter = pfComponent;
  ResFileName.clear();
  ResFileUsage = ResFileUse(ruOnPack) | ResFileUse(ruOnUnpack) | ResFileUse(ruOnRemoveItem);
}

}  // namespace zk
