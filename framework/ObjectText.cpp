#include "framework/ObjectText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/ExtendedFloat.h"
#include "framework/OwnedObject.h"
#include "framework/Reader.h"
#include "framework/Streams.h"
#include "framework/StringUtils.h"
#include "framework/Writer.h"

namespace {

constexpr int MaxDepth = 100;
constexpr std::size_t LineBytes = 32;      // binary data per text line
constexpr std::size_t StringPiece = 64;    // longer strings are split over lines

// ---- float texts ----

// Shortest decimal text that reads back as the same value, always with a point
// or an exponent so that it reads as a float.
template <class F>
std::string Decimal(F Value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, Value);
  std::string s(buf, end);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

std::string HexDigits(std::uint64_t Value, int Digits) {
  static const char* hex = "0123456789abcdef";
  std::string s(static_cast<std::size_t>(Digits), '0');
  for (int i = Digits - 1; i >= 0; --i, Value >>= 4) s[i] = hex[Value & 15];
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  return s;
}

// The raw fields: sign, integer bit, fraction (left-aligned hex) and the unbiased
// exponent; exact for every encoding.
std::string RawFloat(bool Negative, int IntegerBit, std::uint64_t Fraction, int FractionDigits, int Exponent) {
  std::string s = Negative ? "-0x" : "0x";
  s += static_cast<char>('0' + IntegerBit);
  s += '.';
  s += HexDigits(Fraction, FractionDigits);
  s += 'p';
  s += Exponent < 0 ? '-' : '+';
  s += std::to_string(Exponent < 0 ? -Exponent : Exponent);
  return s;
}

std::string ExtendedText(const TExtendedBytes& B) {
  if (ExtendedIsDouble(B)) {
    const double d = ExtendedToDouble(B);
    if (std::isfinite(d)) return Decimal(d);
  }
  std::uint64_t m = 0;
  for (int i = 7; i >= 0; --i) m = (m << 8) | B[i];
  const unsigned top = B[8] | (unsigned(B[9]) << 8);
  return RawFloat(top & 0x8000, static_cast<int>(m >> 63), m << 1, 16, static_cast<int>(top & 0x7FFF) - 16383);
}

std::string DoubleText(double D) {
  if (std::isfinite(D)) return Decimal(D);
  const auto bits = std::bit_cast<std::uint64_t>(D);
  const int e = static_cast<int>((bits >> 52) & 0x7FF);
  return RawFloat(bits >> 63, e != 0, bits & ((std::uint64_t(1) << 52) - 1), 13, e - 1023);
}

std::string SingleText(float F) {
  if (std::isfinite(F)) return Decimal(F);
  const auto bits = std::bit_cast<std::uint32_t>(F);
  const int e = static_cast<int>((bits >> 23) & 0xFF);
  return RawFloat(bits >> 31, e != 0, std::uint64_t(bits & 0x7FFFFF) << 1, 6, e - 127);
}

std::string CurrencyText(std::int64_t C) {
  const bool negative = C < 0;
  const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(C) : static_cast<std::uint64_t>(C);
  std::string fraction = std::to_string(a % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return (negative ? "-" : "") + std::to_string(a / 10000) + "." + fraction;
}

// ---- string texts ----

// Length of the UTF-8 sequence at S[i], or 0 when it is not a valid one.
std::size_t Utf8Length(std::string_view S, std::size_t i) {
  const auto c = static_cast<unsigned char>(S[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > S.size()) return 0;
  std::uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (std::size_t k = 1; k < n; ++k) {
    const auto d = static_cast<unsigned char>(S[i + k]);
    if ((d >> 6) != 2) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  static const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

void AppendUtf8(std::string& Out, std::uint32_t Cp) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else if (Cp < 0x10000) {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Cp >> 18));
    Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}

// One piece of a string as a literal: printable text quoted, the rest as #n.
std::string Quoted(std::string_view S) {
  std::string out;
  bool open = false;
  for (std::size_t i = 0; i < S.size();) {
    const auto c = static_cast<unsigned char>(S[i]);
    const std::size_t n = Utf8Length(S, i);
    if (n == 0 || c < 32 || c == 127) {
      if (open) out += '\'';
      open = false;
      out += '#' + std::to_string(c);
      ++i;
      continue;
    }
    if (!open) out += '\'';
    open = true;
    if (c == '\'') out += "''";
    else out.append(S.substr(i, n));
    i += n;
  }
  if (open) out += '\'';
  return out.empty() ? "''" : out;
}

// ---- binary to text ----

class TToText {
public:
  TToText(TReader* Reader, TStream* Output) : R(Reader), Out(Output) {}

  void Object(int Indent) {
    Enter();
    TFilerFlags flags;
    int position = 0;
    R->ReadPrefix(flags, position);
    const std::string className = R->ReadStr();
    const std::string name = R->ReadStr();
    std::string line = flags.Contains(ffInherited) ? "inherited " : flags.Contains(ffInline) ? "inline " : "object ";
    if (!name.empty()) line += name + ": ";
    line += className;
    if (flags.Contains(ffChildPos)) line += " [" + std::to_string(position) + "]";
    Line(Indent, line);
    while (!R->EndOfList()) Property(Indent + 1);
    R->ReadListEnd();
    while (!R->EndOfList()) Object(Indent + 1);
    R->ReadListEnd();
    Line(Indent, "end");
    --Depth;
  }

private:
  void Enter() {
    if (++Depth > MaxDepth) throw EReadError("Stream data nested too deeply");
  }
  void Emit(const std::string& S) { Out->WriteBuffer(S.data(), static_cast<int>(S.size())); }
  void Line(int Indent, const std::string& S) { Emit(std::string(static_cast<std::size_t>(Indent) * 2, ' ') + S + "\r\n"); }

  void Property(int Indent) {
    const std::string name = R->ReadStr();
    Pending = std::string(static_cast<std::size_t>(Indent) * 2, ' ') + name + " = ";
    Value(Indent);
    Emit(Pending + "\r\n");
    Pending.clear();
  }

  // Values end on the pending line; values of several lines flush the lines before.
  void Flush() {
    Emit(Pending + "\r\n");
    Pending.clear();
  }
  std::string Pad(int Indent) const { return std::string(static_cast<std::size_t>(Indent) * 2, ' '); }

  template <class T>
  T Raw() {
    T v;
    R->Read(&v, sizeof v);
    return v;
  }

  void Value(int Indent) {
    const TValueType t = R->NextValue();
    switch (t) {
      case vaList:
        R->ReadValue();
        Enter();
        Pending += "(";
        while (!R->EndOfList()) {
          Flush();
          Pending = Pad(Indent + 1);
          Value(Indent + 1);
        }
        R->ReadListEnd();
        Pending += ")";
        --Depth;
        return;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64: Pending += std::to_string(R->ReadInt64()); return;
      case vaExtended: {
        R->ReadValue();
        Pending += ExtendedText(Raw<TExtendedBytes>());
        return;
      }
      case vaSingle: R->ReadValue(); Pending += SingleText(Raw<float>()) + "s"; return;
      case vaDouble: R->ReadValue(); Pending += DoubleText(Raw<double>()) + "f"; return;
      case vaDate: R->ReadValue(); Pending += DoubleText(Raw<double>()) + "d"; return;
      case vaCurrency: R->ReadValue(); Pending += CurrencyText(Raw<std::int64_t>()) + "c"; return;
      case vaString:
      case vaLString:
      case vaUTF8String:
      case vaWString: String(Indent, R->ReadString()); return;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull: Pending += R->ReadIdent(); return;
      case vaBinary: {
        R->ReadValue();
        std::int32_t n = Raw<std::int32_t>();
        if (n < 0 || n > R->Remaining()) throw EReadError("Stream read error");
        std::vector<std::uint8_t> data(static_cast<std::size_t>(n));
        if (n) R->Read(data.data(), n);
        Pending += "{";
        for (std::size_t i = 0; i < data.size(); i += LineBytes) {
          Flush();
          Pending = Pad(Indent + 1);
          for (std::size_t k = i; k < data.size() && k < i + LineBytes; ++k) {
            static const char* hex = "0123456789ABCDEF";
            Pending += hex[data[k] >> 4];
            Pending += hex[data[k] & 15];
          }
        }
        Pending += "}";
        return;
      }
      case vaSet: {
        R->ReadValue();
        Pending += "[";
        bool first = true;
        for (std::string s = R->ReadStr(); !s.empty(); s = R->ReadStr()) {
          if (!first) Pending += ", ";
          Pending += s;
          first = false;
        }
        Pending += "]";
        return;
      }
      case vaCollection: {
        R->ReadValue();
        Enter();
        Pending += "<";
        while (!R->EndOfList()) {
          Flush();
          Pending = Pad(Indent + 1) + "item";
          if (const TValueType o = R->NextValue(); o == vaInt8 || o == vaInt16 || o == vaInt32)
            Pending += " [" + std::to_string(R->ReadInteger()) + "]";
          Flush();
          R->ReadListBegin();
          while (!R->EndOfList()) Property(Indent + 2);
          R->ReadListEnd();
          Pending = Pad(Indent + 1) + "end";
        }
        R->ReadListEnd();
        Pending += ">";
        --Depth;
        return;
      }
      default: throw EReadError("Invalid property value");
    }
  }

  void String(int Indent, const std::string& S) {
    if (S.size() <= StringPiece) {
      Pending += Quoted(S);
      return;
    }
    // Pieces end on whole characters.
    for (std::size_t i = 0; i < S.size();) {
      std::size_t end = std::min(S.size(), i + StringPiece);
      while (end < S.size() && (static_cast<unsigned char>(S[end]) & 0xC0) == 0x80 && end > i + 1) --end;
      if (i > 0) Pending += " +";
      Flush();
      Pending = Pad(Indent + 1) + Quoted(std::string_view(S).substr(i, end - i));
      i = end;
    }
  }

  TReader* R;
  TStream* Out;
  std::string Pending;
  int Depth = 0;
};

// ---- text to binary ----

enum TTokenKind { tkEnd, tkSymbol, tkString, tkInteger, tkFloat, tkChar };

class TParser {
public:
  explicit TParser(std::string Text) : S(std::move(Text)) {
    if (S.compare(0, 3, "\xEF\xBB\xBF") == 0) P = 3;
    Next();
  }

  TTokenKind Kind = tkEnd;
  std::string Token;        // symbol, string value, or the number's text
  char Char = 0;            // tkChar
  std::int64_t Int = 0;     // tkInteger
  char Suffix = 0;          // tkFloat: 0, 's', 'f', 'd' or 'c'
  int TokenLine = 1;

  [[noreturn]] void Error(const std::string& What) const {
    throw EParserError("%s on line %d", {What, TokenLine});
  }
  bool IsChar(char C) const { return Kind == tkChar && Char == C; }
  bool IsSymbol(std::string_view Name) const { return Kind == tkSymbol && SameText(Token, Name); }
  void Expect(char C) {
    if (!IsChar(C)) Error(std::string("'") + C + "' expected");
    Next();
  }
  std::string Symbol() {
    if (Kind != tkSymbol) Error("Identifier expected");
    std::string s = Token;
    Next();
    return s;
  }

  void Next() {
    SkipBlanks();
    TokenLine = Line;
    Token.clear();
    Suffix = 0;
    if (P >= S.size()) {
      Kind = tkEnd;
      return;
    }
    const char c = S[P];
    if (IsIdentStart(c)) {
      ReadSymbol();
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else if (IsDigit(c) || ((c == '-' || c == '+') && P + 1 < S.size() && IsDigit(S[P + 1])) || c == '$') {
      ReadNumber();
    } else {
      Kind = tkChar;
      Char = c;
      ++P;
    }
  }

  // Hex digits up to '}', blanks and line breaks between them.
  std::vector<std::uint8_t> BinaryUntilBrace() {
    std::vector<std::uint8_t> data;
    int half = -1;
    while (true) {
      if (P >= S.size()) Error("'}' expected");
      const char c = S[P++];
      if (c == '}') break;
      if (c == '\n') ++Line;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int v = HexValue(c);
      if (v < 0) Error("Invalid binary value");
      if (half < 0) {
        half = v;
      } else {
        data.push_back(static_cast<std::uint8_t>(half << 4 | v));
        half = -1;
      }
    }
    if (half >= 0) Error("Invalid binary value");
    Next();
    return data;
  }

private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
  static int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void SkipBlanks() {
    while (P < S.size()) {
      const char c = S[P];
      if (c == '\n') ++Line;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++P;
    }
  }

  // Dotted names ("Font.Style", "Frame1.Button1") are one symbol.
  void ReadSymbol() {
    const std::size_t start = P;
    while (P < S.size() && (IsIdentChar(S[P]) || (S[P] == '.' && P + 1 < S.size() && IsIdentStart(S[P + 1])))) ++P;
    Kind = tkSymbol;
    Token = S.substr(start, P - start);
  }

  void ReadString() {
    Kind = tkString;
    std::uint32_t high = 0;  // a UTF-16 high surrogate waiting for its pair
    while (P < S.size() && (S[P] == '\'' || S[P] == '#')) {
      if (S[P] == '\'') {
        ++P;
        while (true) {
          if (P >= S.size() || S[P] == '\r' || S[P] == '\n') Error("Unterminated string");
          if (S[P] == '\'') {
            if (P + 1 < S.size() && S[P + 1] == '\'') {
              Token += '\'';
              P += 2;
              continue;
            }
            ++P;
            break;
          }
          Token += S[P++];
        }
        continue;
      }
      ++P;
      std::uint64_t cp = 0;
      int digits = 0;
      const bool hex = P < S.size() && S[P] == '$';
      if (hex) ++P;
      while (P < S.size() && (hex ? HexValue(S[P]) >= 0 : IsDigit(S[P])) && cp <= 0x10FFFF) {
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint64_t>(HexValue(S[P++]));
        ++digits;
      }
      if (digits == 0 || cp > 0x10FFFF) Error("Invalid character code");
      if (cp >= 0xD800 && cp <= 0xDBFF) {
        high = static_cast<std::uint32_t>(cp);
        continue;
      }
      if (cp >= 0xDC00 && cp <= 0xDFFF && high) {
        cp = 0x10000 + ((high - 0xD800) << 10) + (cp - 0xDC00);
        high = 0;
      } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
        cp = 0xFFFD;
      }
      if (high) {
        AppendUtf8(Token, 0xFFFD);
        high = 0;
      }
      AppendUtf8(Token, static_cast<std::uint32_t>(cp));
    }
    if (high) AppendUtf8(Token, 0xFFFD);
  }

  void ReadNumber() {
    const std::size_t start = P;
    if (S[P] == '$') {
      ++P;
      std::uint64_t v = 0;
      int digits = 0;
      while (P < S.size() && HexValue(S[P]) >= 0) {
        if (digits++ >= 16) Error("Number too large");
        v = v << 4 | static_cast<std::uint64_t>(HexValue(S[P++]));
      }
      if (digits == 0) Error("Invalid number");
      Kind = tkInteger;
      Int = static_cast<std::int64_t>(v);
      Token = S.substr(start, P - start);
      return;
    }
    if (S[P] == '-' || S[P] == '+') ++P;
    bool isFloat = false;
    if (S[P] == '0' && P + 1 < S.size() && (S[P + 1] == 'x' || S[P + 1] == 'X')) {
      P += 2;
      while (P < S.size() && (HexValue(S[P]) >= 0 || S[P] == '.')) ++P;
      if (P >= S.size() || S[P] != 'p') Error("Invalid number");
      ++P;
      if (P < S.size() && (S[P] == '+' || S[P] == '-')) ++P;
      while (P < S.size() && IsDigit(S[P])) ++P;
      isFloat = true;
    } else {
      while (P < S.size() && IsDigit(S[P])) ++P;
      if (P < S.size() && S[P] == '.' && P + 1 < S.size() && IsDigit(S[P + 1])) {
        isFloat = true;
        ++P;
        while (P < S.size() && IsDigit(S[P])) ++P;
      }
      if (P < S.size() && (S[P] == 'e' || S[P] == 'E')) {
        isFloat = true;
        ++P;
        if (P < S.size() && (S[P] == '+' || S[P] == '-')) ++P;
        while (P < S.size() && IsDigit(S[P])) ++P;
      }
    }
    Token = S.substr(start, P - start);
    if (P < S.size() && (S[P] == 's' || S[P] == 'f' || S[P] == 'd' || S[P] == 'c') &&
        !(P + 1 < S.size() && IsIdentChar(S[P + 1]))) {
      Suffix = S[P++];
      isFloat = true;
    }
    if (P < S.size() && IsIdentChar(S[P])) Error("Invalid number");
    if (isFloat) {
      Kind = tkFloat;
      return;
    }
    Kind = tkInteger;
    const char* first = Token.data() + (Token[0] == '+' ? 1 : 0);
    auto [end, ec] = std::from_chars(first, Token.data() + Token.size(), Int);
    if (ec != std::errc() || end != Token.data() + Token.size()) Error("Number too large");
  }

  std::string S;
  std::size_t P = 0;
  int Line = 1;
};

class TToBinary {
public:
  TToBinary(TParser& Parser, TWriter* Writer) : T(Parser), W(Writer) {}

  void Object() {
    Enter();
    TFilerFlags flags;
    if (T.IsSymbol("inherited")) flags.Include(ffInherited);
    else if (T.IsSymbol("inline")) flags.Include(ffInline);
    else if (!T.IsSymbol("object")) T.Error("'object' expected");
    T.Next();
    std::string name, className = T.Symbol();
    if (T.IsChar(':')) {
      T.Next();
      name = className;
      className = T.Symbol();
    }
    int position = 0;
    if (T.IsChar('[')) {
      T.Next();
      if (T.Kind != tkInteger) T.Error("Integer expected");
      position = static_cast<int>(T.Int);
      T.Next();
      T.Expect(']');
      flags.Include(ffChildPos);
    }
    W->WritePrefix(flags, position);
    W->WriteStr(className);
    W->WriteStr(name);
    while (!T.IsSymbol("end") && !IsObjectStart()) Property();
    W->WriteListEnd();
    while (!T.IsSymbol("end")) Object();
    W->WriteListEnd();
    T.Next();
    --Depth;
  }

private:
  void Enter() {
    if (++Depth > MaxDepth) T.Error("Nesting too deep");
  }
  bool IsObjectStart() const { return T.IsSymbol("object") || T.IsSymbol("inherited") || T.IsSymbol("inline"); }

  void Property() {
    if (T.Kind == tkEnd) T.Error("'end' expected");
    const std::string name = T.Symbol();
    W->WriteStr(name);
    T.Expect('=');
    Value();
  }

  void Value() {
    switch (T.Kind) {
      case tkInteger: W->WriteInteger(T.Int); T.Next(); return;
      case tkFloat: Float(); T.Next(); return;
      case tkString: {
        std::string s = T.Token;
        T.Next();
        while (T.IsChar('+')) {
          T.Next();
          if (T.Kind != tkString) T.Error("String expected");
          s += T.Token;
          T.Next();
        }
        W->WriteString(s);
        return;
      }
      case tkSymbol: W->WriteIdent(T.Token); T.Next(); return;
      case tkChar: break;
      case tkEnd: T.Error("Value expected");
    }
    switch (T.Char) {
      case '[': {
        T.Next();
        W->WriteValue(vaSet);
        while (!T.IsChar(']')) {
          W->WriteStr(T.Symbol());
          if (T.IsChar(',')) T.Next();
          else if (!T.IsChar(']')) T.Error("']' expected");
        }
        W->WriteStr("");
        T.Next();
        return;
      }
      case '(': {
        T.Next();
        Enter();
        W->WriteListBegin();
        while (!T.IsChar(')')) Value();
        W->WriteListEnd();
        T.Next();
        --Depth;
        return;
      }
      case '{': {
        const std::vector<std::uint8_t> data = T.BinaryUntilBrace();
        W->WriteValue(vaBinary);
        const auto n = static_cast<std::int32_t>(data.size());
        W->Write(&n, 4);
        if (n) W->Write(data.data(), n);
        return;
      }
      case '<': {
        T.Next();
        Enter();
        W->WriteValue(vaCollection);
        while (!T.IsChar('>')) {
          if (!T.IsSymbol("item")) T.Error("'item' expected");
          T.Next();
          if (T.IsChar('[')) {
            T.Next();
            if (T.Kind != tkInteger) T.Error("Integer expected");
            W->WriteInteger(T.Int);
            T.Next();
            T.Expect(']');
          }
          W->WriteListBegin();
          while (!T.IsSymbol("end")) Property();
          W->WriteListEnd();
          T.Next();
        }
        W->WriteListEnd();
        T.Next();
        --Depth;
        return;
      }
      default: T.Error("Value expected");
    }
  }

  // Raw fields "[-]0x<int bit>.<fraction hex>p<exponent>" back to their bits.
  void RawFields(bool& Negative, int& IntegerBit, std::uint64_t& Fraction, int& Exponent) {
    std::string_view s = T.Token;
    Negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') s.remove_prefix(1);
    s.remove_prefix(2);  // 0x
    if (s.size() < 4 || (s[0] != '0' && s[0] != '1') || s[1] != '.') T.Error("Invalid float");
    IntegerBit = s[0] - '0';
    s.remove_prefix(2);
    const std::size_t pAt = s.find('p');
    if (pAt == std::string_view::npos || pAt == 0 || pAt > 16) T.Error("Invalid float");
    Fraction = 0;
    for (std::size_t i = 0; i < 16; ++i) {
      int v = 0;
      if (i < pAt) {
        const char c = s[i];
        v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v < 0) T.Error("Invalid float");
      }
      Fraction = Fraction << 4 | static_cast<std::uint64_t>(v);
    }
    std::string_view e = s.substr(pAt + 1);
    if (!e.empty() && e[0] == '+') e.remove_prefix(1);
    auto [end, ec] = std::from_chars(e.data(), e.data() + e.size(), Exponent);
    if (ec != std::errc() || end != e.data() + e.size()) T.Error("Invalid float");
  }

  template <class F>
  F DecimalValue() {
    std::string_view s = T.Token;
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    F v{};
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) T.Error("Invalid float");
    return v;
  }

  void Float() {
    const bool raw = T.Token.find('x') != std::string::npos || T.Token.find('X') != std::string::npos;
    bool negative = false;
    int integerBit = 0, exponent = 0;
    std::uint64_t fraction = 0;  // 64 bits, left-aligned
    if (raw) RawFields(negative, integerBit, fraction, exponent);
    switch (T.Suffix) {
      case 0: {
        TExtendedBytes b;
        if (raw) {
          if (exponent < -16383 || exponent > 16384) T.Error("Invalid float");
          const std::uint64_t m = (std::uint64_t(integerBit) << 63) | (fraction >> 1);
          for (int i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(m >> (8 * i));
          const unsigned top = (negative ? 0x8000u : 0u) | static_cast<unsigned>(exponent + 16383);
          b[8] = static_cast<std::uint8_t>(top);
          b[9] = static_cast<std::uint8_t>(top >> 8);
        } else {
          b = DoubleToExtended(DecimalValue<double>());
        }
        W->WriteValue(vaExtended);
        W->Write(b.data(), static_cast<int>(b.size()));
        return;
      }
      case 's': {
        float f;
        if (raw) {
          if (exponent < -127 || exponent > 128) T.Error("Invalid float");
          const std::uint32_t bits = (negative ? 0x80000000u : 0u) | (std::uint32_t(exponent + 127) << 23) |
                                     static_cast<std::uint32_t>(fraction >> 41);
          f = std::bit_cast<float>(bits);
        } else {
          f = DecimalValue<float>();
        }
        W->WriteValue(vaSingle);
        W->Write(&f, 4);
        return;
      }
      case 'f':
      case 'd': {
        double d;
        if (raw) {
          if (exponent < -1023 || exponent > 1024) T.Error("Invalid float");
          const std::uint64_t bits = (negative ? std::uint64_t(1) << 63 : 0) |
                                     (std::uint64_t(exponent + 1023) << 52) | (fraction >> 12);
          d = std::bit_cast<double>(bits);
        } else {
          d = DecimalValue<double>();
        }
        W->WriteValue(T.Suffix == 'f' ? vaDouble : vaDate);
        W->Write(&d, 8);
        return;
      }
      case 'c': {
        if (raw) T.Error("Invalid currency");
        // Exact: at most four decimals.
        std::string_view s = T.Token;
        const bool minus = !s.empty() && s[0] == '-';
        if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
        const std::size_t dot = s.find('.');
        const std::string_view whole = s.substr(0, dot);
        std::string frac(dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1));
        if (frac.size() > 4 || s.find_first_of("eE") != std::string_view::npos) T.Error("Invalid currency");
        frac.append(4 - frac.size(), '0');
        std::uint64_t units = 0;
        for (char c : std::string(whole) + frac) {
          if (units > (UINT64_MAX - 9) / 10) T.Error("Invalid currency");
          units = units * 10 + static_cast<std::uint64_t>(c - '0');
        }
        if (units > (minus ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX))) T.Error("Invalid currency");
        const std::int64_t c = minus ? static_cast<std::int64_t>(0 - units) : static_cast<std::int64_t>(units);
        W->WriteValue(vaCurrency);
        W->Write(&c, 8);
        return;
      }
    }
  }

  TParser& T;
  TWriter* W;
  int Depth = 0;
};

std::string ReadAll(TStream* Input) {
  const std::int64_t n = Input->GetSize() - Input->GetPosition();
  if (n > 0x7FFFFFFF) throw EReadError("Stream read error");
  std::string s(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), '\0');
  if (!s.empty()) Input->ReadBuffer(s.data(), static_cast<int>(s.size()));
  return s;
}

}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
  TOwned<TReader> reader(TReader::Create(Input));
  reader->ReadSignature();
  TToText(reader.get(), Output).Object(0);
}

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  TParser parser(ReadAll(Input));
  TOwned<TWriter> writer(TWriter::Create(Output));
  writer->WriteSignature();
  TToBinary(parser, writer.get()).Object();
  if (parser.Kind != tkEnd) parser.Error("End of text expected");
}
