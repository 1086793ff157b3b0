// korvan-cli: arguments, data loading and the printed text.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/five_values.h"

namespace {

int Parse(const std::vector<const char*>& arguments, CliOptions& options,
          std::string& error) {
  std::vector<const char*> argv = {"korvan-cli"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CliOptions, Defaults) {
  CliOptions options;
  std::string error;
  ASSERT_EQ(kCliSuccess, Parse({}, options, error));
  EXPECT_EQ(kCliSheetInput, options.inputKind);
  EXPECT_EQ(90.0, options.confidence);
  EXPECT_EQ(kIntervalChoice, options.intervalMode);
  EXPECT_EQ(6, options.intervalCount);
  EXPECT_EQ(1, options.statisticsBasis);
  EXPECT_EQ("", options.exportPath);
  EXPECT_EQ(0, options.useJapanese);
  EXPECT_EQ(0, options.showHelp);
  EXPECT_EQ("", options.inputPath);
}

TEST(CliOptions, AcceptsEveryOption) {
  CliOptions options;
  std::string error;
  ASSERT_EQ(kCliSuccess, Parse({"--text", "-p", "99.5", "-k", "20", "--basis", "sample",
                                "--export", "out.xls", "--japanese", "data.txt"},
                               options, error));
  EXPECT_EQ(kCliTextInput, options.inputKind);
  EXPECT_EQ(99.5, options.confidence);
  EXPECT_EQ(kIntervalChoice, options.intervalMode);
  EXPECT_EQ(20, options.intervalCount);
  EXPECT_EQ(0, options.statisticsBasis);
  EXPECT_EQ("out.xls", options.exportPath);
  EXPECT_EQ(1, options.useJapanese);
  EXPECT_EQ("data.txt", options.inputPath);

  ASSERT_EQ(kCliSuccess, Parse({"--confidence=95", "--intervals=standard", "--basis=unbiased",
                                "--text", "--sheet", "-"},
                               options, error));
  EXPECT_EQ(95.0, options.confidence);
  EXPECT_EQ(kIntervalStandard, options.intervalMode);
  EXPECT_EQ(kCliSheetInput, options.inputKind);
  EXPECT_EQ("-", options.inputPath);

  ASSERT_EQ(kCliSuccess, Parse({"-k", "1", "-p", "0.001", "--", "-odd name"}, options, error));
  EXPECT_EQ(1, options.intervalCount);
  EXPECT_EQ(0.001, options.confidence);
  EXPECT_EQ("-odd name", options.inputPath);

  ASSERT_EQ(kCliSuccess, Parse({"--help"}, options, error));
  EXPECT_EQ(1, options.showHelp);
  ASSERT_EQ(kCliSuccess, Parse({"-h"}, options, error));
  EXPECT_EQ(1, options.showHelp);
}

TEST(CliOptions, RefusesBadUsage) {
  const std::vector<std::vector<const char*>> refused = {
      {"-p", "0"},         {"-p", "100"},       {"-p", "abc"},         {"-p", "-5"},
      {"-p", "90%"},       {"-p", "inf"},       {"-p", "nan"},         {"-p", "0x10"},
      {"-p", ""},          {"-p"},              {"--confidence=100"},  {"-k", "0"},
      {"-k", "21"},        {"-k", "abc"},       {"-k", "6x"},          {"-k", "-1"},
      {"-k", "Standard"},  {"-k"},              {"--basis", "mean"},   {"--basis"},
      {"--export"},        {"--export="},       {"--bogus"},           {"-x"},
      {"--japanese=1"},    {"a.txt", "b.txt"},  {"--text=1"},
  };
  for (const auto& arguments : refused) {
    CliOptions options;
    std::string error;
    std::string joined;
    for (const char* a : arguments) joined += std::string(a) + " ";
    EXPECT_EQ(kCliUsageError, Parse(arguments, options, error)) << joined;
    EXPECT_FALSE(error.empty()) << joined;
  }
  EXPECT_EQ(0u, std::string(CliUsageLine()).find("usage: korvan-cli"));
}

TEST(CliData, SpreadsheetText) {
  CliOptions options;
  CliData data;
  std::string messages;
  const std::string input = std::string("1\t2\r\n3\r\n\0rest", 13);
  ASSERT_EQ(kCliSuccess, LoadCliData(options, input, data, messages));
  EXPECT_EQ((std::vector<double>{1, 2, 3}), data.values);
  EXPECT_EQ("1\t2\r\n3\r\n", data.pastedText);
  EXPECT_EQ("", messages);

  EXPECT_EQ(kCliDataError, LoadCliData(options, "1\r\nx\r\n3\r\n", data, messages));
  EXPECT_EQ("No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).\n",
            messages);
  messages.clear();
  EXPECT_EQ(kCliDataError, LoadCliData(options, "1\r\n2\r\n", data, messages));
  EXPECT_EQ("Too few data! (Data < 3)\n", messages);
  EXPECT_TRUE(data.values.empty());

  std::string many;
  for (int i = 0; i < 30001; ++i) many += "1\r\n";
  messages.clear();
  ASSERT_EQ(kCliSuccess, LoadCliData(options, many, data, messages));
  EXPECT_EQ(30000u, data.values.size());
  EXPECT_EQ("More than 30000 data so that data input is terminated.\n", messages);
  EXPECT_EQ(many, data.pastedText);
  EXPECT_STREQ("All data have a same value!", CliSameValueMessage(options));
}

TEST(CliData, DataTextFile) {
  CliOptions options;
  options.inputKind = kCliTextInput;
  CliData data;
  std::string messages;
  ASSERT_EQ(kCliSuccess,
            LoadCliData(options, "; heading\r\n  12\r\n1e-05\r\n-3.5\r\n", data, messages));
  EXPECT_EQ((std::vector<double>{12, 1e-05, -3.5}), data.values);
  EXPECT_EQ("12\r\n1e-05\r\n-3.5\r\n", data.pastedText);
  EXPECT_EQ("", messages);

  ASSERT_EQ(kCliSuccess, LoadCliData(options, "1234567890123\r\n2\r\n3\r\n", data, messages));
  EXPECT_EQ(12345678901.0, data.values[0]);
  const std::string warning =
      "Over 11 digit(s) are ignored\nso that the file may not correctly be read.\n";
  EXPECT_EQ(warning + warning, messages);

  const struct {
    const char* input;
    const char* message;
  } refused[] = {
      {"1\r\n2\r\n", "Too few data! (Data < 3)\n"},
      {"", "File does not have a proper format.\n"},
      {"1\r\n2\r\n3", "File is not terminated by Enter-key.\n"},
      {"1\r\n2 \r\n3\r\n", "File does not have a proper format.\n"},
  };
  for (const auto& c : refused) {
    messages.clear();
    EXPECT_EQ(kCliDataError, LoadCliData(options, c.input, data, messages)) << c.input;
    EXPECT_EQ(c.message, messages) << c.input;
  }
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
            "1.000000 - 1.666667\t1.000000\n"
            "1.666667 - 2.333333\t1.000000\n"
            "2.333333 - 3.000000\t0.500000\n"
            "3.000000 - 3.666667\t0.500000\n"
            "3.666667 - 4.333333\t1.000000\n"
            "4.333333 - 5.000000\t1.000000\n",
            FormatCliResults(FiveValues(), options));
  options.statisticsBasis = 0;
  const std::string sample = FormatCliResults(FiveValues(), options);
  EXPECT_NE(std::string::npos, sample.find("\nSample Mean (m) = 3\n"));
  EXPECT_NE(std::string::npos, sample.find("\nSample Standard Deviation (s) = 1.581139\n"));
}

}  // namespace
