#include "profile_write_corpus.h"

namespace stp::test {
namespace {

using namespace std::string_literals;

std::vector<ProfileWriteCase> MakeCorpus() {
  return {
      {"an installation record, written value by value",
       std::nullopt,
       {{"General", "Setup.exe", "E:\\Setup.exe"},
        {"General", "Organisation", "Beispiel"},
        {"InstalledFiles", "1", "C:\\Programme\\Textwerk\\a.txt"},
        {"InstalledFiles", "2", "C:\\WINDOWS\\t.ini"},
        {"CreatedLinks", "1", "C:\\Startmenü\\Programme\\T\\a.lnk"},
        {"General", "Directory", "C:\\Programme\\Textwerk\\"}},
       "[General]\r\nSetup.exe=E:\\Setup.exe\r\nOrganisation=Beispiel\r\n"
       "Directory=C:\\Programme\\Textwerk\\\r\n"
       "[InstalledFiles]\r\n1=C:\\Programme\\Textwerk\\a.txt\r\n2=C:\\WINDOWS\\t.ini\r\n"
       "[CreatedLinks]\r\n1=C:\\Startmenü\\Programme\\T\\a.lnk\r\n"},
      {"an older record with more files",
       "[General]\r\nProduct=Alt\r\n[InstalledFiles]\r\n1=a\r\n2=b\r\n3=c\r\n",
       {{"General", "Product", "Neu"}, {"InstalledFiles", "1", "x"}},
       "[General]\r\nProduct=Neu\r\n[InstalledFiles]\r\n1=x\r\n2=b\r\n3=c\r\n"},
      {"letter case of names: the file's is kept",
       "[gEnErAl]\r\nPRODUCT=old\r\n",
       {{"General", "product", "new"}, {"GENERAL", "Version", "2"}},
       "[gEnErAl]\r\nPRODUCT=new\r\nVersion=2\r\n"},
      {"a new key at the end of its section, a new section at the end of the file",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n",
       {{"A", "z", "3"}, {"C", "k", "v"}},
       "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n"},
      {"the whole file as the platform writes it back",
       "\n\n  [ S ]  \n  Key  =  old  \n; comment\n\n\tother=1\n[T]x]\nb = 2",
       {{"S", "new", "1"}},
       "[S]\r\nKey=old\r\n; comment\r\nother=1\r\nnew=1\r\n[T]x]\r\nb=2\r\n"},
      {"only the first section and key of a name",
       "[S]\r\na=1\r\na=2\r\n[S]\r\nc=3\r\n",
       {{"s", "A", "9"}, {"S", "c", "4"}},
       "[S]\r\na=9\r\na=2\r\nc=4\r\n[S]\r\nc=3\r\n"},
      {"blanks of written names and values",
       std::nullopt,
       {{" S", "  key", "  value  "}, {"S ", " key ", "other"}},
       "[S]\r\nkey=other\r\n"},
      {"an unchanged value leaves the file alone", "[S]\n a = 1 \n\n", {{"S", "a", "1"}}, "[S]\n a = 1 \n\n"},
      {"an empty value", "[S]\r\na=1\r\n", {{"S", "a", ""}, {"S", "b", ""}}, "[S]\r\na=\r\nb=\r\n"},
      {"a line without equals sign gets one", "[S]\r\nflag\r\n", {{"S", "flag", "1"}}, "[S]\r\nflag=1\r\n"},
      {"entries before the first section and a nameless section",
       "a=1\n[]\nb=2\n[S]\nc=3\n",
       {{"S", "d", "4"}},
       "a=1\r\nb=2\r\n[S]\r\nc=3\r\nd=4\r\n"},
      {"nameless entries in a row",
       "[S]\n=value\n  =  second\n",
       {{"S", "x", "1"}},
       "[S]\r\n=value\r\nx=1\r\n"},
      {"carriage returns alone end lines",
       "[S]\ra=1\rb=2\r\n[T]\nc=3\n",
       {{"T", "d", "4"}},
       "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\nd=4\r\n"},
      {"a zero byte ends a value", "[S]\na=ab\0cd\n"s, {{"S", "c", "3"}}, "[S]\r\na=ab\r\nc=3\r\n"},
      {"German names match only in their own case",
       "[Ärger]\r\nÖl=1\r\n",
       {{"ÄRGER", "Öl", "2"}, {"äRGER", "öl", "3"}},
       "[Ärger]\r\nÖl=2\r\n[äRGER]\r\nöl=3\r\n"},
  };
}

}  // namespace

const std::vector<ProfileWriteCase>& ProfileWriteCorpus() {
  static const std::vector<ProfileWriteCase> corpus = MakeCorpus();
  return corpus;
}

}  // namespace stp::test
