#include "base/text_file.h"
#include "support/file_bytes.h"
#include "support/full_folder.h"
#include "tool_runner.h"
#include "tools/melody/melody_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::RunTool;
using testing::WriteBytes;

const QByteArray kOldFile = "OK\r\nSTART\r\n4,1,0,0,0,0,0\r\nEND\r\n";

// The writing commands, saving over a pupil's file on a full disk: exit 2 as
// for any file that cannot be written, and the old file as it was. The
// program file and the one-note WAV are smaller than any write buffer.
using ToolFullDiskTest = testing::FullFolderTest;

TEST_P(ToolFullDiskTest, WritingCommandsExitWithTwoAndKeepTheOldFile)
{
    const QTemporaryDir inputs;
    const QString program = inputs.filePath(QStringLiteral("prog.txt"));
    ASSERT_TRUE(WriteTextLines(
        program, {"START", "9,0,3,0,0,0,0", "2,1,0,255,0,4,0", "9,1,0,0,0,0,0", "7,4,30,0,0,0,0", "END"}));
    const auto song = [&](int rests) {
        Melody melody;
        for (int i = 0; i < rests; ++i)
            EXPECT_TRUE(melody.Append({kRestKey, false}));
        const QString path = inputs.filePath(QStringLiteral("song%1.kq27").arg(rests));
        EXPECT_TRUE(WriteTextLines(path, MelodyFileLines(melody)));
        return path;
    };
    const QStringList commands[] = {
        {"flowchart", program},
        {"wav", song(1)},
        {"wav", song(40)},
    };
    for (const QStringList &command : commands) {
        const std::string name = command.join(' ').toStdString();
        EXPECT_EQ(RunTool(command + QStringList {inputs.filePath(QStringLiteral("out"))}).exitCode, 0) << name;
        const QString out = m_full.FilePath(QStringLiteral("out.kq27"));
        WriteBytes(out, kOldFile);
        m_full.Fill();
        const int exitCode = RunTool(command + QStringList {out}).exitCode;
        m_full.Empty();
        EXPECT_EQ(exitCode, 2) << name;
        EXPECT_EQ(ReadBytes(out), kOldFile) << name;
        EXPECT_EQ(m_full.Entries(), QStringList {QStringLiteral("out.kq27")}) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(OnAFullDisk, ToolFullDiskTest, ::testing::ValuesIn(testing::kFullFolderKinds),
                         testing::FullFolderKindName);

}  // namespace
}  // namespace kq
