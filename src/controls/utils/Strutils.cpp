// Text routines of Strutils: case, trimming, replacing, padding, comparison, words, quoting.
// The number texts, code pages, wildcards and the command line are in StrutilsConvert.cpp.
#include "controls/utils/Strutils.h"

#include <algorithm>
#include <array>

namespace strutils {

namespace {

constexpr char kBlank = ' ';

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

// Upper/lower pairs outside the two contiguous alphabets (A-Z and А-Я at 0xC0..0xDF).
constexpr std::pair<unsigned char, unsigned char> kCyrillicPairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

CaseTables buildCaseTables() {
  CaseTables t;
  for (int i = 0; i < 256; ++i) t.upper[i] = t.lower[i] = static_cast<unsigned char>(i);
  auto pair = [&t](int up, int low) {
    t.upper[low] = static_cast<unsigned char>(up);
    t.lower[up] = static_cast<unsigned char>(low);
  };
  for (int i = 0; i < 26; ++i) pair('A' + i, 'a' + i);
  for (int i = 0; i < 32; ++i) pair(0xC0 + i, 0xE0 + i);
  for (auto [up, low] : kCyrillicPairs) pair(up, low);
  return t;
}

const CaseTables& caseTables() {
  static const CaseTables tables = buildCaseTables();
  return tables;
}

bool isLetter1251(unsigned char c) {
  return caseTables().upper[c] != caseTables().lower[c] || c == 0xB5;
}

// Sort weight of one character for CompStr/CompText: other characters by byte, then digits,
// then Latin letters, then Cyrillic letters in alphabetical order (Ё/ё right after Е/е).
int sortWeight(unsigned char c) {
  unsigned char u = caseTables().upper[c];
  if (u >= '0' && u <= '9') return 0x100 + (u - '0');
  if (u >= 'A' && u <= 'Z') return 0x200 + (u - 'A') * 2;
  if (u >= 0xC0) return 0x300 + (u - 0xC0) * 2 + (u > 0xC5 ? 2 : 0);
  if (u == 0xA8) return 0x300 + (0xC5 - 0xC0) * 2 + 2;  // Ё after Е
  if (isLetter1251(u)) return 0x400 + u;                // other Cyrillic letters last
  return u;
}

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int compareByWeight(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d =
        sortWeight(static_cast<unsigned char>(a[i])) - sortWeight(static_cast<unsigned char>(b[i]));
    if (d != 0) return sign(d);
  }
  return sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

// The word that starts at index `from` ends before the returned index.
size_t wordEnd(std::string_view s, size_t from, const TCharSet& delims) {
  while (from < s.size() && !delims.contains(s[from])) ++from;
  return from;
}

size_t skipDelims(std::string_view s, size_t from, const TCharSet& delims) {
  while (from < s.size() && delims.contains(s[from])) ++from;
  return from;
}

}  // namespace

TCharSet::TCharSet(std::string_view chars) {
  for (char c : chars) add(c);
}

TCharSet& TCharSet::add(char c) {
  bits_.set(static_cast<unsigned char>(c));
  return *this;
}

char upperCase1251(char c) {
  return static_cast<char>(caseTables().upper[static_cast<unsigned char>(c)]);
}
char lowerCase1251(char c) {
  return static_cast<char>(caseTables().lower[static_cast<unsigned char>(c)]);
}

std::string upperCase1251(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upperCase1251(c);
  return out;
}

std::string lowerCase1251(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lowerCase1251(c);
  return out;
}

// --- Routines the controls use --------------------------------------------------------------

bool IsEmptyStr(std::string_view S, const TCharSet& EmptyChars) {
  return std::all_of(S.begin(), S.end(), [&](char c) { return EmptyChars.contains(c); });
}

std::string ReplaceStr(std::string_view S, std::string_view Srch, std::string_view Replace) {
  if (Srch.empty()) return std::string(S);
  std::string out;
  size_t from = 0;
  for (size_t at = S.find(Srch); at != std::string_view::npos; at = S.find(Srch, from)) {
    out.append(S.substr(from, at - from)).append(Replace);
    from = at + Srch.size();
  }
  out.append(S.substr(from));
  return out;
}

std::string DelChars(std::string_view S, char Chr) {
  std::string out;
  for (char c : S)
    if (c != Chr) out += c;
  return out;
}

std::string DelBSpace(std::string_view S) {
  size_t first = S.find_first_not_of(kBlank);
  return first == std::string_view::npos ? std::string() : std::string(S.substr(first));
}

std::string DelESpace(std::string_view S) {
  size_t last = S.find_last_not_of(kBlank);
  return last == std::string_view::npos ? std::string() : std::string(S.substr(0, last + 1));
}

std::string DelRSpace(std::string_view S) { return DelBSpace(DelESpace(S)); }

std::string MakeStr(char C, int N) { return N < 1 ? std::string() : std::string(N, C); }

// --- The rest of the unit --------------------------------------------------------------------

std::string DelSpace(std::string_view S) { return DelChars(S, kBlank); }

std::string DelSpace1(std::string_view S) {
  std::string out;
  for (char c : S)
    if (c != kBlank || out.empty() || out.back() != kBlank) out += c;
  return out;
}

std::string Tab2Space(std::string_view S, int N) { return ReplaceStr(S, "\t", MakeStr(kBlank, N)); }

std::string MS(char C, int N) { return MakeStr(C, N); }

int NPos(std::string_view C, std::string_view S, int N) {
  if (C.empty() || N < 1) return 0;
  size_t at = std::string_view::npos;
  for (int i = 0; i < N; ++i) {
    at = S.find(C, at == std::string_view::npos ? 0 : at + 1);
    if (at == std::string_view::npos) return 0;
  }
  return static_cast<int>(at) + 1;
}

std::string AddChar(char C, std::string_view S, int N) {
  return MakeStr(C, N - static_cast<int>(S.size())) + std::string(S);
}

std::string AddCharR(char C, std::string_view S, int N) {
  return std::string(S) + MakeStr(C, N - static_cast<int>(S.size()));
}

std::string LeftStr(std::string_view S, int N) { return AddCharR(kBlank, S, N); }
std::string RightStr(std::string_view S, int N) { return AddChar(kBlank, S, N); }

std::string CenterStr(std::string_view S, int Len) {
  int room = Len - static_cast<int>(S.size());
  if (room <= 0) return std::string(S);
  return MakeStr(kBlank, room / 2) + std::string(S) + MakeStr(kBlank, room - room / 2);
}

int CompText(std::string_view S1, std::string_view S2) { return compareByWeight(S1, S2); }

int CompStr(std::string_view S1, std::string_view S2) {
  if (int primary = compareByWeight(S1, S2); primary != 0) return primary;
  // Same letters: the first difference in case decides, lower case first.
  for (size_t i = 0; i < S1.size(); ++i) {
    if (S1[i] == S2[i]) continue;
    return lowerCase1251(S1[i]) == S1[i] ? -1 : 1;
  }
  return 0;
}

std::string Copy2Symb(std::string_view S, char C) { return std::string(S.substr(0, S.find(C))); }

std::string Copy2SymbDel(std::string& S, char C) {
  std::string head = Copy2Symb(S, C);
  S = DelBSpace(std::string_view(S).substr(head.size()));
  return head;
}

std::string Copy2Space(std::string_view S) { return Copy2Symb(S, kBlank); }
std::string Copy2SpaceDel(std::string& S) { return Copy2SymbDel(S, kBlank); }

std::string AnsiProperCase(std::string_view S, const TCharSet& WordDelims) {
  std::string out = lowerCase1251(S);
  bool wordStart = true;
  for (char& c : out) {
    if (WordDelims.contains(c)) {
      wordStart = true;
    } else {
      if (wordStart) c = upperCase1251(c);
      wordStart = false;
    }
  }
  return out;
}

int WordCount(std::string_view S, const TCharSet& WordDelims) {
  int count = 0;
  for (size_t i = skipDelims(S, 0, WordDelims); i < S.size();
       i = skipDelims(S, wordEnd(S, i, WordDelims), WordDelims))
    ++count;
  return count;
}

int WordPosition(int N, std::string_view S, const TCharSet& WordDelims) {
  int count = 0;
  for (size_t i = skipDelims(S, 0, WordDelims); i < S.size();
       i = skipDelims(S, wordEnd(S, i, WordDelims), WordDelims))
    if (++count == N) return static_cast<int>(i) + 1;
  return 0;
}

std::string ExtractWord(int N, std::string_view S, const TCharSet& WordDelims) {
  int pos = 0;
  return ExtractWordPos(N, S, WordDelims, pos);
}

std::string ExtractWordPos(int N, std::string_view S, const TCharSet& WordDelims, int& Pos) {
  Pos = WordPosition(N, S, WordDelims);
  if (Pos == 0) return std::string();
  size_t from = static_cast<size_t>(Pos - 1);
  return std::string(S.substr(from, wordEnd(S, from, WordDelims) - from));
}

bool IsWordPresent(std::string_view W, std::string_view S, const TCharSet& WordDelims) {
  for (size_t i = skipDelims(S, 0, WordDelims); i < S.size();) {
    size_t end = wordEnd(S, i, WordDelims);
    if (S.substr(i, end - i) == W) return true;
    i = skipDelims(S, end, WordDelims);
  }
  return false;
}

std::string ExtractDelimited(int N, std::string_view S, const TCharSet& Delims) {
  if (N < 1) return std::string();
  size_t from = 0;
  for (int field = 1; field < N; ++field) {
    from = wordEnd(S, from, Delims);
    if (from >= S.size()) return std::string();
    ++from;  // past the single delimiter
  }
  return std::string(S.substr(from, wordEnd(S, from, Delims) - from));
}

std::string ExtractSubstr(std::string_view S, int& Pos, const TCharSet& Delims) {
  size_t from = static_cast<size_t>(std::max(Pos, 1) - 1);
  if (from >= S.size()) {
    Pos = static_cast<int>(S.size()) + 1;
    return std::string();
  }
  size_t end = wordEnd(S, from, Delims);
  Pos = static_cast<int>(end) + 2;  // 1-based index of the character after the delimiter
  return std::string(S.substr(from, end - from));
}

std::string QuotedString(std::string_view S, char Quote) {
  std::string out(1, Quote);
  for (char c : S) {
    out += c;
    if (c == Quote) out += c;
  }
  out += Quote;
  return out;
}

std::string ExtractQuotedString(std::string_view S, char Quote) {
  if (S.empty() || S[0] != Quote) return std::string(S);
  std::string out;
  for (size_t i = 1; i < S.size(); ++i) {
    if (S[i] != Quote) {
      out += S[i];
    } else if (i + 1 < S.size() && S[i + 1] == Quote) {
      out += Quote;
      ++i;
    } else {
      break;  // the closing quote
    }
  }
  return out;
}

std::string Numb2USA(std::string_view S) {
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  std::string out;
  for (size_t i = 0; i < S.size(); ++i) {
    if (i > 0 && (S.size() - i) % 3 == 0 && isDigit(S[i - 1]) && isDigit(S[i])) out += ',';
    out += S[i];
  }
  return out;
}

}  // namespace strutils
