// The registry file: its format, and that no value is lost however it is written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <random>

#include "platform/Platform.h"

namespace {

const char kHeader[] = "Windows Registry Editor Version 5.00\n";

TEST(RegFile, RoundTripKeepsEscapesUnknownLinesAndTypes) {
  const std::string text = std::string(kHeader) +
                           "\n"
                           "[HKEY_CURRENT_USER\\Software\\A]\n"
                           "\"Name\"=\"Speakers \\\"A\\\" \\\\ 2 \xc5\xbdluva\"\n"
                           "\"Num\"=dword:ffffffff\n"
                           "\"Bin\"=hex:01,02,\\\n"
                           "  03,04\n"
                           "; a comment\n"
                           "@=\"default\"\n"
                           "\n"
                           "[HKEY_CURRENT_USER\\Software\\Empty]\n";
  const std::optional<REG_DOCUMENT> doc = ParseRegFile(text);
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(WriteRegFile(*doc), text);
  REG_DOCUMENT copy = *doc;
  REG_SECTION* pSection = copy.FindSection(L"hkey_current_user\\software\\a");
  ASSERT_NE(pSection, nullptr);
  EXPECT_EQ(FindValue(*pSection, L"NAME")->text, L"Speakers \"A\" \\ 2 \u017Dluva");
  EXPECT_EQ(FindValue(*pSection, L"Num")->dword, 0xFFFFFFFFu);
  EXPECT_EQ(FindValue(*pSection, L"Bin")->type, REG_NONE);
  EXPECT_NE(copy.FindSection(L"HKEY_CURRENT_USER\\Software\\Empty"), nullptr);
}

TEST(RegFile, DamagedTextIsRefused) {
  const std::string damaged[] = {
      "",
      "REGEDIT4\n",
      std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\A\n",
      std::string(kHeader) + "\"Orphan\"=dword:00000001\n",
      std::string(kHeader) + "[K]\n\"Cut\"=\"Spea",
      std::string(kHeader) + "[K]\n\"Cut\"=\"Spea\n",
      std::string(kHeader) + "[K]\n\"N\"=dword:123\n",
      std::string(kHeader) + "[K]\n\"N\"=dword:0000000g\n",
      std::string(kHeader) + "[K]\n\"N\"=\"a\"junk\n",
      std::string(kHeader) + "[K]\ngarbage\n",
      std::string(kHeader) + "[K]\n\"N\"=\"\xff\"\n",
  };
  for (const std::string& text : damaged) EXPECT_FALSE(ParseRegFile(text).has_value()) << text;
}

// Each test gets its own configuration folder.
class Registry : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
  }
  QString File() const { return m_dir.path() + "/zelvo/user.reg"; }
  QByteArray ReadFile() const {
    QFile file(File());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QByteArray& bytes) const {
    QDir().mkpath(m_dir.path() + "/zelvo");
    QFile file(File());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static HKEY Key() {
    HKEY hKey = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZelvoTest\\Key", 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    return hKey;
  }
  static std::optional<DWORD> ReadDword(HKEY hKey, const wchar_t* pszName) {
    DWORD dwType = 0, dwValue = 0, cb = sizeof(dwValue);
    if (RegQueryValueExW(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb) != ERROR_SUCCESS ||
        dwType != REG_DWORD)
      return std::nullopt;
    return dwValue;
  }
  static QString RegWriter() { return QCoreApplication::applicationDirPath() + "/reg_writer"; }

  QTemporaryDir m_dir;
};

TEST_F(Registry, DamagedFileIsKeptAsideAndDefaultsFollow) {
  const QByteArray damaged = QByteArray(kHeader) + "[HKEY_CURRENT_USER\\Software\\ZelvoTest\\Key]\n\"Cut\"=\"Spea";
  WriteFile(damaged);
  HKEY hKey = Key();
  EXPECT_FALSE(ReadDword(hKey, L"Cut").has_value());
  const QStringList aside = QDir(m_dir.path() + "/zelvo").entryList({"user.reg.damaged-*"});
  ASSERT_EQ(aside.size(), 1);
  QFile kept(m_dir.path() + "/zelvo/" + aside[0]);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), damaged);
  // A second damaged file is kept under another name, never over the first.
  WriteFile(damaged);
  EXPECT_FALSE(ReadDword(hKey, L"Cut").has_value());
  EXPECT_EQ(QDir(m_dir.path() + "/zelvo").entryList({"user.reg.damaged-*"}).size(), 2);
  const DWORD dwValue = 5;
  EXPECT_EQ(RegSetValueExW(hKey, L"N", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), 4), ERROR_SUCCESS);
  EXPECT_TRUE(ParseRegFile(ReadFile().toStdString()).has_value());
  RegCloseKey(hKey);
}

TEST_F(Registry, ConcurrentWritersLoseNothing) {
  std::vector<std::unique_ptr<QProcess>> writers;
  for (int i = 0; i < 4; ++i) {
    writers.push_back(std::make_unique<QProcess>());
    writers.back()->start(RegWriter(), {QString("w%1_").arg(i), "60"});
  }
  for (auto& pWriter : writers) {
    ASSERT_TRUE(pWriter->waitForFinished(60000));
    EXPECT_EQ(pWriter->exitCode(), 0);
  }
  HKEY hKey = Key();
  for (int i = 0; i < 4; ++i)
    for (int n = 0; n < 60; ++n) {
      const std::wstring name = L"w" + std::to_wstring(i) + L"_" + std::to_wstring(n);
      EXPECT_EQ(ReadDword(hKey, name.c_str()), std::optional<DWORD>(static_cast<DWORD>(n))) << name;
    }
  RegCloseKey(hKey);
}

TEST_F(Registry, AWriterKilledMidWriteLeavesTheOldFileOrTheNew) {
  HKEY hKey = Key();
  const DWORD dwKeep = 1234;
  ASSERT_EQ(RegSetValueExW(hKey, L"Keep", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwKeep), 4), ERROR_SUCCESS);
  std::mt19937 random(42);
  for (int round = 0; round < 15; ++round) {
    QProcess writer;
    writer.start(RegWriter(), {"big", "3", "big"});
    ASSERT_TRUE(writer.waitForStarted());
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 80));
    kill(static_cast<pid_t>(writer.processId()), SIGKILL);
    writer.waitForFinished();
    const std::optional<REG_DOCUMENT> doc = ParseRegFile(ReadFile().toStdString());
    ASSERT_TRUE(doc.has_value()) << "round " << round;
    EXPECT_EQ(ReadDword(hKey, L"Keep"), std::optional<DWORD>(dwKeep));
  }
  EXPECT_TRUE(QDir(m_dir.path() + "/zelvo").entryList({"user.reg.damaged-*"}).isEmpty());
  RegCloseKey(hKey);
}

TEST_F(Registry, ValueOfAnotherTypeReadsAsMissingThroughTheProfile) {
  CWinApp* pApp = AfxGetApp();
  pApp->SetRegistryKey(L"Co");
  const std::wstring section = L"[HKEY_CURRENT_USER\\Software\\Co\\" + std::wstring(pApp->m_pszAppName) + L"\\S]\n";
  WriteFile(QByteArray(kHeader) + "\n" + QString::fromStdWString(section).toUtf8() +
            "\"Num\"=\"high\"\n\"Text\"=dword:00000001\n\"Bin\"=hex:01\n");
  EXPECT_EQ(pApp->GetProfileInt(L"S", L"Num", 3), 3u);
  EXPECT_EQ(pApp->GetProfileString(L"S", L"Text", L"dflt"), CString(L"dflt"));
  EXPECT_EQ(pApp->GetProfileInt(L"S", L"Bin", 7), 7u);
  EXPECT_TRUE(pApp->WriteProfileInt(L"S", L"Num", -1));
  EXPECT_EQ(static_cast<int>(pApp->GetProfileInt(L"S", L"Num", 3)), -1);
  EXPECT_TRUE(ReadFile().contains("\"Num\"=dword:ffffffff\n\"Text\"=dword:00000001\n\"Bin\"=hex:01\n"));
}

}  // namespace
