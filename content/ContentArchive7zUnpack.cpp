#include "ContentArchive7z.h"

#include <lzma.h>

// Unpacks the folder layouts the engine's 7z decoder takes: one coder (Copy, LZMA, LZMA2), one
// such coder followed by the x86 (BCJ) or ARM filter, or BCJ2 over three such coders and a range
// coded stream. Coders and layouts it lacks (BZip2, PPMd, Deflate, Delta, other filters, AES) make
// an archive one the engine can't unpack.
namespace ContentArchiveFormats
{
namespace SevenZip
{
namespace
{
constexpr qint64 Chunk = 1 << 16;

bool IsMainCoder(const Coder& coder)
{
    return coder.knownId && coder.inputs == 1 && coder.outputs == 1 &&
           (coder.method == MethodCopy || coder.method == MethodLzma || coder.method == MethodLzma2);
}

bool IsFilter(const Coder& coder)
{
    return coder.knownId && coder.inputs == 1 && coder.outputs == 1 &&
           (coder.method == MethodBcj || coder.method == MethodArm);
}

QString MethodName(const Coder& coder)
{
    if (!coder.knownId)
        return QStringLiteral("an unknown method");
    switch (coder.method)
    {
    case 0x03:
        return QStringLiteral("Delta");
    case 0x0A:
        return QStringLiteral("ARM64");
    case 0x0B:
        return QStringLiteral("RISCV");
    case 0x030401:
        return QStringLiteral("PPMd");
    case 0x03030205:
        return QStringLiteral("PPC");
    case 0x03030401:
        return QStringLiteral("IA64");
    case 0x03030701:
        return QStringLiteral("ARMT");
    case 0x03030805:
        return QStringLiteral("SPARC");
    case 0x040108:
        return QStringLiteral("Deflate");
    case 0x040109:
        return QStringLiteral("Deflate64");
    case 0x040202:
        return QStringLiteral("BZip2");
    case 0x06F10701:
        return QStringLiteral("AES encryption");
    default:
        return QStringLiteral("method %1").arg(coder.method, 0, 16);
    }
}

// A stream of bytes read in order: at most `max` bytes, 0 at its end, -1 on damage.
class Stream
{
public:
    virtual ~Stream() = default;
    virtual qint64 Read(char* data, qint64 max) = 0;
};

class PackStream final : public Stream
{
public:
    PackStream(Source& source, qint64 offset, qint64 size) : m_source(source), m_offset(offset), m_left(size)
    {
    }

    qint64 Read(char* data, qint64 max) override
    {
        const qint64 length = qMin(max, m_left);
        if (length == 0)
            return 0;
        if (!m_source.ReadAt(m_offset, length, data))
            return -1;
        m_offset += length;
        m_left -= length;
        return length;
    }

private:
    Source& m_source;
    qint64 m_offset;
    qint64 m_left;
};

// Stored bytes dressed as LZMA2's uncompressed chunks, so that liblzma runs a filter over them.
class StoredAsLzma2 final : public Stream
{
public:
    explicit StoredAsLzma2(std::unique_ptr<Stream> input) : m_input(std::move(input)) {}

    qint64 Read(char* data, qint64 max) override
    {
        if (m_ended || max < 3)
            return 0;
        const qint64 length = m_input->Read(data + 3, qMin<qint64>(max - 3, 65536));
        if (length < 0)
            return -1;
        if (length == 0)
        {
            m_ended = true;
            data[0] = 0; // the end
            return 1;
        }
        data[0] = m_first ? 1 : 2; // uncompressed, the first one resetting the dictionary
        data[1] = char((length - 1) >> 8);
        data[2] = char(length - 1);
        m_first = false;
        return length + 3;
    }

private:
    std::unique_ptr<Stream> m_input;
    bool m_first = true;
    bool m_ended = false;
};

class LzmaStream final : public Stream
{
public:
    // `filters` as liblzma takes them, up to LZMA_VLI_UNKNOWN; kept until the stream starts.
    LzmaStream(std::unique_ptr<Stream> input, const lzma_filter* filters, const lzma_options_lzma& options)
        : m_input(std::move(input)), m_options(options)
    {
        for (int i = 0; i < 3; ++i)
        {
            m_filters[i] = filters[i];
            if (filters[i].options)
                m_filters[i].options = &m_options; // the one with options is the LZMA coder
            if (filters[i].id == LZMA_VLI_UNKNOWN)
                break;
        }
    }
    ~LzmaStream() override { lzma_end(&m_stream); }

    // What its decoder takes, window and all, once started; -1 when liblzma won't take the filters.
    qint64 MemoryUsage() const
    {
        const uint64_t usage = lzma_raw_decoder_memusage(m_filters);
        return usage == UINT64_MAX ? -1 : qint64(usage) + Chunk;
    }

    // Allocates the decoder; false when liblzma won't.
    bool Start()
    {
        m_buffer.reset(new char[Chunk]);
        return lzma_raw_decoder(&m_stream, m_filters) == LZMA_OK;
    }

    qint64 Read(char* data, qint64 max) override
    {
        m_stream.next_out = reinterpret_cast<uint8_t*>(data);
        m_stream.avail_out = size_t(max);
        while (m_stream.avail_out == size_t(max) && !m_ended)
        {
            if (m_stream.avail_in == 0 && !m_inputEnded)
            {
                const qint64 length = m_input->Read(m_buffer.get(), Chunk);
                if (length < 0)
                    return -1;
                m_inputEnded = length == 0;
                m_stream.next_in = reinterpret_cast<const uint8_t*>(m_buffer.get());
                m_stream.avail_in = size_t(length);
            }
            const lzma_ret result = lzma_code(&m_stream, m_inputEnded ? LZMA_FINISH : LZMA_RUN);
            m_ended = result == LZMA_STREAM_END;
            if (result != LZMA_OK && !m_ended)
                return -1;
        }
        return max - qint64(m_stream.avail_out);
    }

private:
    std::unique_ptr<Stream> m_input;
    lzma_options_lzma m_options;
    lzma_filter m_filters[3];
    lzma_stream m_stream = LZMA_STREAM_INIT;
    bool m_inputEnded = false;
    bool m_ended = false;
    std::unique_ptr<char[]> m_buffer;
};

// Reads a stream byte by byte through a buffer.
class ByteSource final
{
public:
    explicit ByteSource(std::unique_ptr<Stream> stream) : m_stream(std::move(stream)) {}

    // -1 at the end, -2 on damage.
    int Next()
    {
        if (m_at == m_size)
        {
            if (!m_buffer)
                m_buffer.reset(new char[Chunk]);
            m_size = m_stream->Read(m_buffer.get(), Chunk);
            m_at = 0;
            if (m_size <= 0)
            {
                const int result = m_size == 0 ? -1 : -2;
                m_size = 0;
                return result;
            }
        }
        return quint8(m_buffer[m_at++]);
    }

    // What it takes once reading.
    static constexpr qint64 MemoryUsage = Chunk;

private:
    std::unique_ptr<Stream> m_stream;
    std::unique_ptr<char[]> m_buffer;
    qint64 m_at = 0;
    qint64 m_size = 0;
};

// x86 calls and jumps whose targets were moved to streams of their own, a range coder telling
// which were.
class Bcj2Stream final : public Stream
{
public:
    Bcj2Stream(std::unique_ptr<Stream> main, std::unique_ptr<Stream> call, std::unique_ptr<Stream> jump,
               std::unique_ptr<Stream> rangeCoded, quint64 size)
        : m_main(std::move(main)), m_call(std::move(call)), m_jump(std::move(jump)),
          m_rangeCoded(std::move(rangeCoded)), m_size(size)
    {
        for (quint16& probability : m_probabilities)
            probability = BitModelTotal / 2;
    }

    qint64 Read(char* data, qint64 max) override
    {
        if (!m_started)
        {
            m_started = true;
            for (int i = 0; i < 5; ++i)
                if (!NextCode())
                    return -1;
        }
        qint64 produced = 0;
        while (produced < max)
        {
            if (m_pending > 0)
            {
                data[produced++] = char(m_target >> (8 * (4 - m_pending)));
                --m_pending;
                continue;
            }
            const int byte = m_main.Next();
            if (byte == -2)
                return -1;
            if (byte == -1)
                break;
            data[produced++] = char(byte);
            ++m_position;
            const bool jump = (byte & 0xFE) == 0xE8 || (m_previous == 0x0F && (byte & 0xF0) == 0x80);
            if (!jump || m_position >= m_size)
            {
                m_previous = quint8(byte);
                continue;
            }
            quint16& probability = m_probabilities[byte == 0xE8 ? m_previous : (byte == 0xE9 ? 256 : 257)];
            int bit = 0;
            if (!DecodeBit(probability, &bit))
                return -1;
            if (!bit)
            {
                m_previous = quint8(byte);
                continue;
            }
            ByteSource& targets = byte == 0xE8 ? m_call : m_jump;
            quint32 source = 0;
            for (int i = 0; i < 4; ++i)
            {
                const int next = targets.Next();
                if (next < 0)
                    return -1;
                source = (source << 8) | quint32(next);
            }
            m_target = source - quint32(m_position + 4);
            m_pending = 4;
            m_position += 4;
            m_previous = quint8(m_target >> 24);
        }
        return produced;
    }

private:
    static constexpr quint32 TopValue = 1u << 24;
    static constexpr int BitModelBits = 11;
    static constexpr quint16 BitModelTotal = 1u << BitModelBits;
    static constexpr int MoveBits = 5;

    bool NextCode()
    {
        const int byte = m_rangeCoded.Next();
        m_code = (m_code << 8) | quint32(byte);
        return byte >= 0;
    }

    bool DecodeBit(quint16& probability, int* bit)
    {
        const quint32 bound = (m_range >> BitModelBits) * probability;
        if (m_code < bound)
        {
            m_range = bound;
            probability += (BitModelTotal - probability) >> MoveBits;
            *bit = 0;
        }
        else
        {
            m_range -= bound;
            m_code -= bound;
            probability -= probability >> MoveBits;
            *bit = 1;
        }
        if (m_range >= TopValue)
            return true;
        m_range <<= 8;
        return NextCode();
    }

    ByteSource m_main;
    ByteSource m_call;
    ByteSource m_jump;
    ByteSource m_rangeCoded;
    quint64 m_size;
    quint64 m_position = 0;
    quint8 m_previous = 0;
    quint32 m_target = 0;
    int m_pending = 0;
    bool m_started = false;
    quint32 m_code = 0;
    quint32 m_range = 0xFFFFFFFF;
    quint16 m_probabilities[258];
};

class Unpacker final
{
public:
    Unpacker(Source& source, const Streams& streams, const Folder& folder, quint64 need)
        : m_source(source), m_streams(streams), m_folder(folder), m_need(need)
    {
    }

    // The folder's stream, its decoders not yet started; null when a coder's properties are
    // damaged.
    std::unique_ptr<Stream> Build()
    {
        const QVector<Coder>& coders = m_folder.coders;
        // Coder k (of those with one output each) unpacks output k.
        if (coders.size() == 1)
            return Chain(0, nullptr, Pack(0));
        if (coders.size() == 2)
            return Chain(0, &coders.at(1), Pack(0));
        // BCJ2: the main stream comes from coder 2, calls from coder 1, jumps from coder 0.
        std::unique_ptr<Stream> main = Chain(2, nullptr, Pack(0));
        std::unique_ptr<Stream> call = Chain(1, nullptr, Pack(2));
        std::unique_ptr<Stream> jump = Chain(0, nullptr, Pack(3));
        if (!main || !call || !jump)
            return nullptr;
        m_extra += 4 * ByteSource::MemoryUsage + qint64(sizeof(Bcj2Stream));
        return std::make_unique<Bcj2Stream>(std::move(main), std::move(call), std::move(jump), Pack(1),
                                            m_folder.Size());
    }

    // What the built stream takes once its decoders run; -1 when liblzma won't take one.
    qint64 MemoryUsage() const
    {
        qint64 usage = m_extra;
        for (const LzmaStream* decoder : m_decoders)
        {
            const qint64 one = decoder->MemoryUsage();
            if (one < 0)
                return -1;
            usage += one;
        }
        return usage;
    }

    bool Start()
    {
        for (LzmaStream* decoder : m_decoders)
            if (!decoder->Start())
                return false;
        return true;
    }

private:
    std::unique_ptr<Stream> Pack(int index) const
    {
        qint64 offset = 32 + qint64(m_streams.packPosition);
        const int pack = int(m_folder.firstPack) + index;
        for (int i = 0; i < pack; ++i)
            offset += qint64(m_streams.packSizes.at(i));
        return std::make_unique<PackStream>(m_source, offset, qint64(m_streams.packSizes.at(pack)));
    }

    // A main coder, and a filter after it when given.
    std::unique_ptr<Stream> Chain(int index, const Coder* filter, std::unique_ptr<Stream> input)
    {
        const Coder& coder = m_folder.coders.at(index);
        if (coder.method == MethodCopy && !filter)
            return input;
        lzma_filter filters[3];
        int count = 0;
        if (filter)
            filters[count++] = {filter->method == MethodBcj ? LZMA_FILTER_X86 : LZMA_FILTER_ARM, nullptr};
        lzma_options_lzma options{};
        if (coder.method == MethodCopy)
        {
            input = std::make_unique<StoredAsLzma2>(std::move(input));
            lzma_lzma_preset(&options, 0);
            options.dict_size = LZMA_DICT_SIZE_MIN;
            filters[count++] = {LZMA_FILTER_LZMA2, &options};
        }
        else
        {
            const bool lzma2 = coder.method == MethodLzma2;
            lzma_filter decoded{lzma2 ? LZMA_FILTER_LZMA2 : LZMA_FILTER_LZMA1, nullptr};
            if (coder.properties.size() != (lzma2 ? 1 : 5) ||
                lzma_properties_decode(&decoded, nullptr,
                                       reinterpret_cast<const uint8_t*>(coder.properties.constData()),
                                       size_t(coder.properties.size())) != LZMA_OK)
                return nullptr;
            options = *static_cast<lzma_options_lzma*>(decoded.options);
            free(decoded.options);
            if (!lzma2)
            {
                // 7z's LZMA streams end at their size, not with a marker: a filter after one is
                // told where the end is, or it keeps its last bytes back.
                decoded.id = LZMA_FILTER_LZMA1EXT;
                options.ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
                lzma_set_ext_size(options, m_folder.sizes.value(index));
            }
            // No match reaches further back than what was unpacked, nor further than the coder's
            // whole output: a dictionary as large as that is enough, whatever the archive asks for.
            const quint64 reach = qMin(m_need, m_folder.sizes.value(index));
            options.dict_size = quint32(qBound<quint64>(LZMA_DICT_SIZE_MIN, reach, options.dict_size));
            filters[count++] = {decoded.id, &options};
        }
        filters[count] = {LZMA_VLI_UNKNOWN, nullptr};
        auto stream = std::make_unique<LzmaStream>(std::move(input), filters, options);
        m_decoders << stream.get();
        return stream;
    }

    Source& m_source;
    const Streams& m_streams;
    const Folder& m_folder;
    quint64 m_need;
    QVector<LzmaStream*> m_decoders; // owned by the stream Build returns
    qint64 m_extra = 0;
};
} // namespace

QString Unsupported(const Folder& folder)
{
    const QVector<Coder>& coders = folder.coders;
    const QVector<QPair<quint32, quint32>> bcj2Bonds{{5, 0}, {4, 1}, {3, 2}};
    // The layouts 7-Zip writes, and the only ones the engine takes.
    const bool supported =
        (coders.size() == 1 && IsMainCoder(coders.at(0)) && folder.packed == QVector<quint32>{0}) ||
        (coders.size() == 2 && IsMainCoder(coders.at(0)) && IsFilter(coders.at(1)) &&
         folder.packed == QVector<quint32>{0} && folder.bonds == QVector<QPair<quint32, quint32>>{{1, 0}}) ||
        (coders.size() == 4 && IsMainCoder(coders.at(0)) && IsMainCoder(coders.at(1)) &&
         IsMainCoder(coders.at(2)) && coders.at(3).knownId && coders.at(3).method == MethodBcj2 &&
         coders.at(3).inputs == 4 && coders.at(3).outputs == 1 &&
         folder.packed == QVector<quint32>{2, 6, 1, 0} && folder.bonds == bcj2Bonds);
    if (supported)
        return QString();
    for (const Coder& coder : coders)
    {
        if (!IsMainCoder(coder) && !IsFilter(coder) && !(coder.knownId && coder.method == MethodBcj2))
            return QStringLiteral("packed with ") + MethodName(coder);
    }
    return QStringLiteral("packed in a layout of %1 coders the engine doesn't take").arg(coders.size());
}

Outcome Unpack(Source& source, const Streams& streams, int folder, quint64 skip, quint64 length,
               QByteArray* out, QString* error, MemoryBudget::Reservation& held, qint64 kept)
{
    Unpacker unpacker(source, streams, streams.folders.at(folder), skip + length);
    const std::unique_ptr<Stream> stream = unpacker.Build();
    const qint64 usage = stream ? unpacker.MemoryUsage() : -1;
    if (usage < 0)
        return Fail(error, Outcome::Damaged, QStringLiteral("damaged coder properties"));
    const qint64 scratchSize = qint64(qMin<quint64>(skip, Chunk * 4));
    // The window and buffers of every decoder, and what they unpack, are taken from the budget
    // before any of it is allocated.
    const Outcome holding = source.Hold(held, kept + usage + scratchSize + qint64(length), error);
    if (holding != Outcome::Read)
        return holding;
    if (!unpacker.Start())
        return Fail(error, Outcome::Damaged, QStringLiteral("damaged coder properties"));
    QByteArray scratch(int(scratchSize), Qt::Uninitialized);
    while (skip > 0)
    {
        const qint64 read =
            stream->Read(scratch.data(), qint64(qMin<quint64>(skip, quint64(scratch.size()))));
        if (read <= 0)
            return Fail(error, Outcome::Damaged, QStringLiteral("packed data damaged or cut short"));
        skip -= quint64(read);
    }
    QByteArray data(int(length), Qt::Uninitialized);
    for (qint64 at = 0; at < data.size();)
    {
        const qint64 read = stream->Read(data.data() + at, data.size() - at);
        if (read <= 0)
            return Fail(error, Outcome::Damaged, QStringLiteral("packed data damaged or cut short"));
        at += read;
    }
    *out = data;
    return Outcome::Read;
}
} // namespace SevenZip
} // namespace ContentArchiveFormats
