#include "profile_corpus.h"

namespace stp::test {
namespace {

using namespace std::string_literals;

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

std::vector<ProfileCase> MakeCorpus() {
  const std::string k1023 = Repeat('a', 1023);
  const std::string k1024 = Repeat('b', 1024);
  const std::string k2000 = Repeat('c', 2000);
  return {
      {"plain",
       "[General]\r\nProduct=Planer\r\nVersion=2.0\r\n",
       {{"General", "Product", "Planer"}, {"General", "Version", "2.0"}, {"General", "Bytes", kDefault}}},
      {"missing file", "", {{"General", "Product", kDefault}}, false},
      {"empty file", "", {{"General", "Product", kDefault}, {"", "Product", kDefault}}},
      {"letter case of names",
       "[gEnErAl]\nPRODUCT=x\n",
       {{"General", "product", "x"}, {"GENERAL", "Product", "x"}}},
      {"blanks around the equals sign",
       "[S]\nkey = value  \n  indented=1\nmy key\t=\t two words \t\n",
       {{"S", "key", "value"}, {"S", "indented", "1"}, {"S", "my key", "two words"}, {"S", "key ", "value"}}},
      {"blanks in the requested names", "[S]\na=1\n", {{" S ", " a ", "1"}, {"S", "a\t", "1"}}},
      {"blanks inside brackets",
       "[ General ]\nProduct=x\n[Other ]\nb=2\n",
       {{"General", "Product", "x"}, {" General ", "Product", "x"}, {"Other", "b", "2"}}},
      {"indented section", "   [S]\na=1\n", {{"S", "a", "1"}}},
      {"duplicate keys", "[S]\na=1\na=2\nKey=x\nKEY=y\n", {{"S", "a", "1"}, {"S", "key", "x"}}},
      {"duplicate sections",
       "[S]\na=1\n[T]\nb=2\n[S]\nc=3\na=4\n",
       {{"S", "a", "1"}, {"S", "c", kDefault}, {"T", "b", "2"}}},
      {"missing section and key", "[S]\na=1\n", {{"T", "a", kDefault}, {"S", "b", kDefault}}},
      {"present empty values", "[S]\na=\nb=   \nc=\t\n", {{"S", "a", ""}, {"S", "b", ""}, {"S", "c", ""}}},
      {"line without equals sign",
       "[S]\nflag\n  other flag  \n",
       {{"S", "flag", kDefault}, {"S", "other flag", kDefault}}},
      {"comment lines",
       "[S]\n; comment\n;a=1\n#b=2\n// c=3\n",
       {{"S", "a", kDefault},
        {"S", ";a", "1"},
        {"S", "#b", "2"},
        {"S", "// c", "3"},
        {"S", "; comment", kDefault}}},
      {"equals signs in the value", "[S]\nurl=a=b=c\nx==y\n", {{"S", "url", "a=b=c"}, {"S", "x", "=y"}}},
      {"enclosing quotes",
       "[S]\nd=\"quoted\"\ns='single'\np=\"  padded  \"\nb= \"blanks outside\" \n",
       {{"S", "d", "quoted"}, {"S", "s", "single"}, {"S", "p", "  padded  "}, {"S", "b", "blanks outside"}}},
      {"quotes on one side only",
       "[S]\no=\"open\nc=close\"\nm=\"mixed'\nq='\n",
       {{"S", "o", "\"open"}, {"S", "c", "close\""}, {"S", "m", "\"mixed'"}, {"S", "q", "'"}}},
      {"quotes alone and nested",
       "[S]\ne=\"\"\nf=''\ng=\"\"x\"\"\nh=\" \"\n",
       {{"S", "e", ""}, {"S", "f", ""}, {"S", "g", "\"x\""}, {"S", "h", " "}}},
      {"long values",
       "[S]\nv1023=" + k1023 + "\nv1024=" + k1024 + "\nv2000=" + k2000 + "\n",
       {{"S", "v1023", k1023}, {"S", "v1024", k1024.substr(0, 1023)}, {"S", "v2000", k2000.substr(0, 1023)}}},
      {"long quoted values",
       "[S]\nq1021=\"" + Repeat('q', 1021) + "\"\nq1022=\"" + Repeat('q', 1022) + "\"\nq1023=\"" +
           Repeat('q', 1023) + "\"\nq1024=\"" + Repeat('q', 1024) + "\"\n",
       {{"S", "q1021", Repeat('q', 1021)},
        {"S", "q1022", Repeat('q', 1022)},
        {"S", "q1023", Repeat('q', 1022)},
        {"S", "q1024", Repeat('q', 1023)}}},
      {"line feeds only", "[S]\na=1\nb=2", {{"S", "a", "1"}, {"S", "b", "2"}}},
      {"carriage returns alone end lines too",
       "[S]\ra=1\rb=2\r\n[T]\nc=3\n",
       {{"S", "a", "1"}, {"S", "b", "2"}, {"T", "c", "3"}}},
      {"last line without line end", "[S]\r\na=last", {{"S", "a", "last"}}},
      {"blank lines", "\n\n[S]\n\n   \n\t\n\r\na=1\n\n", {{"S", "a", "1"}}},
      {"empty key name", "[S]\n=value\n  =  second\n", {{"S", "", "value"}, {"S", " ", "value"}}},
      {"other blanks",
       "[S]\nt\t=\tv\t\nz=v\x1a\nn=\xA0v\xA0\nf=\x0Bv\x0C\n",
       {{"S", "t", "v"}, {"S", "z", "v"}, {"S", "n", "\xA0v\xA0"}, {"S", "f", "v"}}},
      {"control characters that are not blanks", "[S]\nu=\x1Cv\x1F\n", {{"S", "u", "\x1Cv\x1F"}}},
      {"text after the section name",
       "[S] junk\na=1\n[T]x]\nb=2\n",
       {{"S", "a", "1"}, {"T]x", "b", "2"}, {"T", "b", kDefault}}},
      {"section without closing bracket",
       "[S]\na=1\n[T\nb=2\n",
       {{"S", "a", "1"}, {"S", "b", "2"}, {"S", "[T", kDefault}, {"T", "b", kDefault}}},
      {"entries before the first section", "a=1\n[S]\nb=2\n", {{"", "a", "1"}, {"S", "a", kDefault}}},
      {"empty section name", "[]\na=1\n[S]\nb=2\n", {{"", "a", kDefault}, {"S", "b", "2"}}},
      {"names with brackets", "[S]\na[1]=2\n", {{"S", "a[1]", "2"}}},
      {"German text",
       "[General]\nOrganisation=Müller & Söhne\n[ÄRGER]\nÖL=1\n",
       {{"General", "Organisation", "Müller & Söhne"}, {"ÄRGER", "ÖL", "1"}, {"ärger", "öl", kDefault}}},
      {"zero byte in a value", "[S]\na=ab\0cd\nb=x  \0y\n"s, {{"S", "a", "ab"}, {"S", "b", "x  "}}},
      {"UTF-8 byte-order mark",
       "\xEF\xBB\xBF[General]\nProduct=Gr\xC3\xBC\xC3\x9F\n",
       {{"General", "Product", "Grüß"}}},
      {"UTF-16 byte-order mark", "\xFF\xFE[\0S\0]\0\n\0a\0=\0\xFC\0\n\0"s, {{"S", "a", "ü"}}},
  };
}

}  // namespace

const std::vector<ProfileCase>& ProfileCorpus() {
  static const std::vector<ProfileCase> corpus = MakeCorpus();
  return corpus;
}

}  // namespace stp::test
