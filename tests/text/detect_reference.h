// The encoding scanners written out literally, one step per byte index j
// (1-based cursors, 0 for a rejected scanner), to check the fast scanner against.
#pragma once

#include <string_view>

namespace zk::test {

inline int DetectCharCodeLiterally(std::string_view s) {
  const size_t size = s.size();
  auto at = [&](size_t j) -> int { return j >= 1 && j <= size ? static_cast<unsigned char>(s[j - 1]) : -1; };
  auto in = [](int c, int lo, int hi) { return c >= lo && c <= hi; };
  auto base64 = [&](int c) { return in(c, 'A', 'Z') || in(c, 'a', 'z') || in(c, '0', '9') || c == '+' || c == '/'; };
  auto direct = [&](int c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '\'' || c == '(' || c == ')' || c == ',' ||
           c == '-' || c == '.' || c == '/' || in(c, '0', '9') || c == ':' || c == '?' || in(c, 'A', 'Z') ||
           in(c, 'a', 'z');
  };
  int result = 0, live = 3;
  size_t p7 = 1, p8 = 1, ps = 1, pe = 1;
  size_t s7 = 0, s8 = 0, ss = 0, se = 0;
  auto reject = [&](size_t& p) {
    p = 0;
    --live;
  };
  for (size_t j = 1; j <= size; ++j) {
    if (result == 0) {
      int b = at(j);
      if (b >= 0x80) {
        result = 6;
      } else if (b == 0x1B) {
        int x = at(j + 1), y = at(j + 2);
        if (j + 2 <= size && ((x == 0x24 && (y == 0x28 || y == 0x40 || y == 0x42)) ||
                              (x == 0x28 && (y == 0x42 || y == 0x49 || y == 0x4A))))
          return 3;
      } else if (p7 != 0 && p7 <= j) {
        int c = at(p7);
        if (c == '+') {
          ++p7;
          size_t n = 0;
          while (p7 <= size) {
            int x = at(p7);
            if (base64(x)) {
              ++n;
              ++p7;
            } else if (x == '-') {
              if ((6 * n) % 16 > 5) {
                p7 = 0;
              } else if (s7 > 0) {
                return 4;
              } else {
                ++p7;
                s7 += p7 - j;
              }
              break;
            } else {
              p7 = 0;
              break;
            }
          }
        } else if (direct(c)) {
          ++p7;
        } else {
          p7 = 0;
        }
      }
    }
    if (p8 != 0 && p8 <= j) {
      int c = at(p8), n1 = at(p8 + 1), n2 = at(p8 + 2), n3 = at(p8 + 3);
      size_t len = 0;
      if (c < 0x80) {
        ++p8;
      } else {
        if (in(c, 0xC2, 0xDF) && in(n1, 0x80, 0xBF)) len = 2;
        if (c == 0xE0 && in(n1, 0xA0, 0xBF) && in(n2, 0x80, 0xBF)) len = 3;
        if (in(c, 0xE1, 0xEF) && in(n1, 0x80, 0xBF) && in(n2, 0x80, 0xBF)) len = 3;
        if (c == 0xF0 && in(n1, 0x90, 0xBF) && in(n2, 0x80, 0xBF) && in(n3, 0x80, 0xBF)) len = 4;
        if (in(c, 0xF1, 0xF3) && in(n1, 0x80, 0xBF) && in(n2, 0x80, 0xBF) && in(n3, 0x80, 0xBF)) len = 4;
        if (c == 0xF4 && in(n1, 0x80, 0x8F) && in(n2, 0x80, 0xBF) && in(n3, 0x80, 0xBF)) len = 4;
        if (len) {
          p8 += len;
          s8 += len;
        } else {
          reject(p8);
        }
      }
    }
    if (ps != 0 && ps <= j) {
      int c = at(ps), n1 = at(ps + 1);
      if (c <= 0x80 || in(c, 0xA0, 0xDF)) {
        ++ps;
      } else if ((in(c, 0x81, 0x9F) || in(c, 0xE0, 0xFC)) && (in(n1, 0x40, 0x7E) || in(n1, 0x80, 0xFC))) {
        ps += 2;
        ss += 2;
      } else {
        reject(ps);
      }
    }
    if (pe != 0 && pe <= j) {
      int c = at(pe), n1 = at(pe + 1), n2 = at(pe + 2);
      size_t len = 0;
      if (c < 0x80) {
        ++pe;
      } else {
        if (c == 0x8E && in(n1, 0xA1, 0xDF)) len = 2;
        if (c == 0x8F && in(n1, 0xA1, 0xFE) && in(n2, 0xA1, 0xFE)) len = 3;
        if (in(c, 0xA1, 0xFF) && in(n1, 0xA1, 0xFE)) len = 2;
        if (len) {
          pe += len;
          se += len;
        } else {
          reject(pe);
        }
      }
    }
    if (result != 0 && live <= 1) {
      if (p8 != 0) return 5;
      if (ps != 0) return 1;
      if (pe != 0) return 2;
      int r = result;
      if (s7 > 0) r = 4;
      if (s8 > s7) r = 5;
      if (ss > s7 && ss > s8) r = 1;
      if (se > s7 && se > s8 && se > ss) r = 2;
      return r;
    }
  }
  if (result == 0 && p7 != 0 && s7 > 0) return 4;
  int r = result;
  if (p8 != 0 && s8 > 0) r = 5;
  if (ps != 0 && ss > s8) r = 1;
  if (pe != 0 && se > s8 && se > ss) r = 2;
  return r;
}

}  // namespace zk::test
