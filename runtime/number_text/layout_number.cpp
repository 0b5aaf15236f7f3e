#include "runtime/number_text/layout_number.h"

#include "runtime/number_text/extract_digits.h"

namespace runtime {
namespace {

class TextWriter {
 public:
  explicit TextWriter(NumberLayout& layout) : layout_(layout) { layout_.length = 0; }
  void Put(char c) { layout_.text[layout_.length++] = c; }
  void Put(const char* chars, int count) {
    for (int i = 0; i < count; ++i) Put(chars[i]);
  }
  void Repeat(char c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  void PutDecimal(int value) {  // 0 to 9999
    char reversed[8];
    int count = 0;
    do {
      reversed[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (count > 0) Put(reversed[--count]);
  }

 private:
  NumberLayout& layout_;
};

int SignificantDigits(const DigitField& field, int n) {
  int sd = n;
  while (sd > 0 && field.digits[sd - 1] == '0') --sd;
  return sd;
}

// d1, then "." and the other digits if there are any, then "E", the sign and the exponent.
void WriteExponentForm(TextWriter& out, const DigitField& field, int sd) {
  out.Put(field.digits[0]);
  if (sd > 1) {
    out.Put('.');
    out.Put(field.digits + 1, sd - 1);
  }
  out.Put('E');
  const int exponent = field.pointPosition - 1;
  if (exponent > 0) out.Put('+');
  if (exponent < 0) out.Put('-');
  out.PutDecimal(exponent < 0 ? -exponent : exponent);
}

void WriteDigits(TextWriter& out, const DigitField& field, int n, int sd) {
  const int e = field.pointPosition - sd;
  if (e == 0) {
    out.Put(field.digits, sd);
  } else if (e > 0) {
    if (field.pointPosition > n) return WriteExponentForm(out, field, sd);
    out.Put(field.digits, sd);
    out.Repeat('0', e);
  } else {
    const int f = -e;  // digits after the point
    if (f > n) return WriteExponentForm(out, field, sd);
    if (sd > f) {
      out.Put(field.digits, sd - f);
      out.Put('.');
      out.Put(field.digits + sd - f, f);
    } else {  // below 1: no "0" before the point
      out.Put('.');
      out.Repeat('0', f - sd);
      out.Put(field.digits, sd);
    }
  }
}

}  // namespace

NumberLayout LayoutNumber(long double value, int n) {
  if (n < 1 || n > kMaxSignificantDigits) n = kMaxSignificantDigits;
  const DigitField field = ExtractDigits(value, n);
  NumberLayout layout;
  TextWriter out(layout);
  out.Put(field.negative ? '-' : ' ');
  const int sd = SignificantDigits(field, n);
  if (sd == 0) {
    out.Put('0');
  } else {
    WriteDigits(out, field, n, sd);
  }
  out.Put(' ');
  return layout;
}

}  // namespace runtime
