// korvan-cli: arguments, data loading and the printed text.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/five_values.h"

namespace {

int Parse(const std::vector<const char*>& arguments, CliOptions& options, std::string& error) {
  std::vector<const char*> argv = {"korvan-cli"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

// Every option field, in declaration order.
std::string Describe(const CliOptions& o) {
  return std::to_string(o.inputKind) + " P=" + std::to_string(o.confidence) + " mode=" +
         std::to_string(o.intervalMode) + " k=" + std::to_string(o.intervalCount) + " basis=" +
         std::to_string(o.statisticsBasis) + " export=" + o.exportPath + " jp=" +
         std::to_string(o.useJapanese) + " help=" + std::to_string(o.showHelp) + " in=" +
         o.inputPath;
}

TEST(CliOptions, DefaultsAndEveryOption) {
  const struct { std::vector<const char*> arguments; const char* described; } cases[] = {
      {{}, "0 P=90.000000 mode=0 k=6 basis=1 export= jp=0 help=0 in="},
      {{"--text", "-p", "99.5", "-k", "20", "--basis", "sample", "--export", "out.xls",
        "--japanese", "data.txt"},
       "1 P=99.500000 mode=0 k=20 basis=0 export=out.xls jp=1 help=0 in=data.txt"},
      {{"--confidence=95", "--intervals=standard", "--basis=unbiased", "--text", "--sheet", "-"},
       "0 P=95.000000 mode=1 k=6 basis=1 export= jp=0 help=0 in=-"},
      {{"-k", "1", "-p", "0.001", "--", "-odd name"},
       "0 P=0.001000 mode=0 k=1 basis=1 export= jp=0 help=0 in=-odd name"},
      {{"--help"}, "0 P=90.000000 mode=0 k=6 basis=1 export= jp=0 help=1 in="},
      {{"-h"}, "0 P=90.000000 mode=0 k=6 basis=1 export= jp=0 help=1 in="}};
  for (const auto& c : cases) {
    CliOptions options;
    std::string error;
    EXPECT_EQ(kCliSuccess, Parse(c.arguments, options, error)) << c.described;
    EXPECT_EQ(c.described, Describe(options));
  }
}

TEST(CliOptions, RefusesBadUsage) {
  const std::vector<std::vector<const char*>> refused = {
      {"-p", "0"},        {"-p", "100"},      {"-p", "abc"},        {"-p", "-5"},
      {"-p", "90%"},      {"-p", "inf"},      {"-p", "nan"},        {"-p", "0x10"},
      {"-p", ""},         {"-p"},             {"--confidence=100"}, {"-k", "0"},
      {"-k", "21"},       {"-k", "abc"},      {"-k", "6x"},         {"-k", "-1"},
      {"-k", "Standard"}, {"-k"},             {"--basis", "mean"},  {"--basis"},
      {"--export"},       {"--export="},      {"--bogus"},          {"-x"},
      {"--japanese=1"},   {"a.txt", "b.txt"}, {"--text=1"}};
  for (const auto& arguments : refused) {
    CliOptions options;
    std::string error;
    EXPECT_EQ(kCliUsageError, Parse(arguments, options, error)) << arguments[0];
    EXPECT_FALSE(error.empty()) << arguments[0];
  }
  EXPECT_EQ(0u, std::string(CliUsageLine()).find("usage: korvan-cli"));
}

TEST(CliData, SpreadsheetTextAndDataTextFile) {
  std::string many;
  for (int i = 0; i < 30001; ++i) many += "1\r\n";
  const std::string warning =
      "Over 11 digit(s) are ignored\nso that the file may not correctly be read.\n";
  const struct {
    int kind;
    std::string input;
    int result;
    std::vector<double> values;
    std::string pasted, messages;
  } cases[] = {
      {kCliSheetInput, std::string("1\t2\r\n3\r\n\0rest", 13), kCliSuccess, {1, 2, 3},
       "1\t2\r\n3\r\n", ""},
      {kCliSheetInput, "1\r\nx\r\n3\r\n", kCliDataError, {}, "",
       "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).\n"},
      {kCliSheetInput, "1\r\n2\r\n", kCliDataError, {}, "", "Too few data! (Data < 3)\n"},
      {kCliSheetInput, many, kCliSuccess, std::vector<double>(30000, 1.0), many,
       "More than 30000 data so that data input is terminated.\n"},
      {kCliTextInput, "; heading\r\n  12\r\n1e-05\r\n-3.5\r\n", kCliSuccess, {12, 1e-05, -3.5},
       "12\r\n1e-05\r\n-3.5\r\n", ""},
      {kCliTextInput, "1234567890123\r\n2\r\n3\r\n", kCliSuccess, {12345678901.0, 2, 3},
       "", warning + warning},
      {kCliTextInput, "1\r\n2\r\n", kCliDataError, {}, "", "Too few data! (Data < 3)\n"},
      {kCliTextInput, "", kCliDataError, {}, "", "File does not have a proper format.\n"},
      {kCliTextInput, "1\r\n2\r\n3", kCliDataError, {}, "",
       "File is not terminated by Enter-key.\n"},
      {kCliTextInput, "1\r\n2 \r\n3\r\n", kCliDataError, {}, "",
       "File does not have a proper format.\n"}};
  for (const auto& c : cases) {
    CliOptions options;
    options.inputKind = c.kind;
    CliData data;
    std::string messages;
    const std::string name = c.input.substr(0, 30);
    EXPECT_EQ(c.result, LoadCliData(options, c.input, data, messages)) << name;
    EXPECT_EQ(c.values, data.values) << name;
    if (!c.pasted.empty()) {
      EXPECT_EQ(c.pasted, data.pastedText) << name;
    }
    EXPECT_EQ(c.messages, messages) << name;
  }
  CliOptions options;
  EXPECT_STREQ("All data have a same value!", CliSameValueMessage(options));
  options.useJapanese = 1;
  // "すべてのデータが同じ値です!" in code page 932.
  EXPECT_STREQ("\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x66\x81\x5b\x83\x5e\x82\xaa\x93\xaf\x82"
               "\xb6\x92\x6c\x82\xc5\x82\xb7!",
               CliSameValueMessage(options));
}

TEST(CliOutput, ResultLinesThenHistogramRows) {
  CliOptions options;
  EXPECT_EQ("Number of Data = 5\n"
            "Unbiased Estimate of Population Mean (m) = 3\n"
            "Unbiased Estimate of Population Standard Deviation (s) = 1.682088\n"
            "  ** Under 90% Confidence Probability **\n"
            "Confidence Interval of Population Mean : 1.492561 < mu < 4.507439\n"
            "Confidence Interval of Population Standard Deviation : 1.026642 < sigma < 3.751032\n"
            "1.000000 - 1.666667\t1.000000\n1.666667 - 2.333333\t1.000000\n"
            "2.333333 - 3.000000\t0.500000\n3.000000 - 3.666667\t0.500000\n"
            "3.666667 - 4.333333\t1.000000\n4.333333 - 5.000000\t1.000000\n",
            FormatCliResults(FiveValues(), options));
  options.statisticsBasis = 0;
  const std::string sample = FormatCliResults(FiveValues(), options);
  EXPECT_NE(std::string::npos, sample.find("\nSample Mean (m) = 3\n"));
  EXPECT_NE(std::string::npos, sample.find("\nSample Standard Deviation (s) = 1.581139\n"));
}

}  // namespace
