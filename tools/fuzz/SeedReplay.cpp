// Feeds a fuzz target the files of its seed folders, once each, without libFuzzer: the plain and
// the sanitizer builds keep every target building and its seeds passing between fuzzing runs
// (tools/fuzz/run.sh), and a crash a fuzzing run found stays fixed once its input is a seed.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    // Seeds are small by design; a larger file is a mistake in the corpus, not an input to try.
    constexpr qint64 MaxSeedSize = 16 * 1024 * 1024;
    int fed = 0;
    for (int i = 1; i < argc; ++i)
    {
        const QFileInfoList seeds = QDir(QFile::decodeName(argv[i])).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& seed : seeds)
        {
            QFile file(seed.absoluteFilePath());
            if (seed.size() > MaxSeedSize || !file.open(QIODevice::ReadOnly))
            {
                std::fprintf(stderr, "seed replay: can not read %s\n", qPrintable(seed.absoluteFilePath()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++fed;
        }
    }
    std::printf("seed replay: %d seeds\n", fed);
    // A folder without seeds would pass while testing nothing.
    return fed > 0 ? 0 : 1;
}
