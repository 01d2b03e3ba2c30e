#include "character/Speech.h"

#include <QMetaObject>
#include <QThread>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>

namespace character {

using acs::MouthShape;

acs::MouthShape Utterance::mouthAt(int ms) const
{
    MouthShape shape = MouthShape::Closed;
    for (const Mouth& m : mouth) {
        if (m.startMs > ms)
            break;
        shape = m.shape;
    }
    return ms >= durationMs ? MouthShape::Closed : shape;
}

int Utterance::spokenLength(int ms) const
{
    int length = 0;
    for (const Word& w : words) {
        if (w.startMs > ms)
            break;
        length = w.position + w.length;
    }
    return length;
}

QByteArray languageNameFor(uint16_t languageId)
{
    switch (languageId) {
    case 0x0809:
        return "en-gb";
    case 0x0C0A:
    case 0x040A:
        return "es";
    case 0x0416:
        return "pt-br";
    case 0x0816:
        return "pt";
    case 0x0804:
        return "cmn";
    case 0x0C0C:
        return "fr";
    case 0x0807:
        return "de";
    default:
        break;
    }
    switch (languageId & 0x3FF) {
    case 0x09:
        return "en";
    case 0x07:
        return "de";
    case 0x0C:
        return "fr";
    case 0x10:
        return "it";
    case 0x13:
        return "nl";
    case 0x19:
        return "ru";
    case 0x11:
        return "ja";
    case 0x12:
        return "ko";
    case 0x1D:
        return "sv";
    case 0x06:
        return "da";
    case 0x14:
        return "nb";
    case 0x0B:
        return "fi";
    case 0x15:
        return "pl";
    case 0x05:
        return "cs";
    case 0x0E:
        return "hu";
    case 0x1F:
        return "tr";
    case 0x08:
        return "el";
    case 0x01:
        return "ar";
    case 0x0D:
        return "he";
    default:
        return "en";
    }
}

VoiceChoice voiceChoiceFor(const acs::Character& character)
{
    VoiceChoice v;
    if (!character.voice)
        return v;
    const acs::VoiceInfo& info = *character.voice;
    if (info.hasExtraData) {
        v.language = languageNameFor(info.languageId);
        // The file says 1 for female and 2 for male; espeak-ng the other way round.
        v.gender = info.gender == 1 ? 2 : info.gender == 2 ? 1 : 0;
        v.age = std::min<int>(info.age, 120);
    }
    if (info.speed > 0)
        v.rate = std::clamp<int>(int(info.speed), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
    // A voice's pitch in Hz around a man's 100 and a woman's 200, onto espeak-ng's 0 to 100.
    if (info.pitch > 0)
        v.pitch = std::clamp((int(info.pitch) - 60) / 2, 0, 100);
    return v;
}

Utterance timedUtterance(const QString& text)
{
    Utterance u;
    int ms = 0;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        const int start = i;
        while (i < n && !text[i].isSpace())
            ++i;
        const int length = i - start;
        const int wordMs = 120 + 55 * length;
        u.words.push_back({ms, start, length});
        u.mouth.push_back({ms, MouthShape::Wide2});
        u.mouth.push_back({ms + wordMs / 3, MouthShape::Medium});
        u.mouth.push_back({ms + wordMs * 2 / 3, MouthShape::Narrow});
        u.mouth.push_back({ms + wordMs - 40, MouthShape::Closed});
        ms += wordMs;
    }
    u.durationMs = ms;
    return u;
}

void TimedSpeech::synthesize(int id, const QString& text, const VoiceChoice&)
{
    emit synthesized(id, timedUtterance(text));
}

namespace {

// What espeak-ng hands to its callback while one text is synthesised.
struct Collector
{
    QByteArray samples;
    std::vector<espeak_EVENT> events;
};

int collect(short* wav, int count, espeak_EVENT* events)
{
    if (!events)
        return 0;
    auto* collector = static_cast<Collector*>(events->user_data);
    if (!collector)
        return 0;
    if (wav && count > 0)
        collector->samples.append(reinterpret_cast<const char*>(wav), qsizetype(count) * 2);
    for (espeak_EVENT* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e)
        collector->events.push_back(*e);
    return 0;
}

// Loudness in slices of 40 ms, onto mouth shapes from shut to wide open.
std::vector<Utterance::Mouth> mouthFromLoudness(const QByteArray& samples, int sampleRate)
{
    std::vector<Utterance::Mouth> mouth;
    const auto* pcm = reinterpret_cast<const int16_t*>(samples.constData());
    const qsizetype count = samples.size() / 2;
    const qsizetype slice = std::max(1, sampleRate / 25);
    static const MouthShape byLevel[] = {MouthShape::Closed, MouthShape::Narrow, MouthShape::Medium,
                                         MouthShape::Wide1,  MouthShape::Wide2,  MouthShape::Wide3,
                                         MouthShape::Wide4};
    MouthShape last = MouthShape::Closed;
    for (qsizetype at = 0; at < count; at += slice) {
        double sum = 0;
        const qsizetype end = std::min(count, at + slice);
        for (qsizetype i = at; i < end; ++i)
            sum += double(pcm[i]) * pcm[i];
        const double rms = std::sqrt(sum / double(end - at));
        const int level = std::clamp(int(rms / 1200.0), 0, 6);
        const MouthShape shape = byLevel[level];
        if (shape != last || mouth.empty())
            mouth.push_back({int(at * 1000 / sampleRate), shape});
        last = shape;
    }
    return mouth;
}

// Lives on the speech thread; espeak-ng is used from nowhere else.
class EspeakWorker final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    ~EspeakWorker() override
    {
        if (m_sampleRate > 0)
            espeak_Terminate();
    }

signals:
    void done(int id, const character::Utterance& utterance);

public slots:
    void run(int id, const QString& text, const character::VoiceChoice& voice)
    {
        if (m_sampleRate == 0) {
            m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
            if (m_sampleRate > 0)
                espeak_SetSynthCallback(collect);
        }
        Utterance u = m_sampleRate > 0 ? speak(text, voice) : Utterance();
        if (u.durationMs <= 0)
            u = timedUtterance(text);
        emit done(id, u);
    }

private:
    Utterance speak(const QString& text, const VoiceChoice& voice)
    {
        espeak_VOICE spec{};
        spec.languages = voice.language.constData();
        spec.gender = static_cast<unsigned char>(voice.gender);
        spec.age = static_cast<unsigned char>(voice.age);
        if (espeak_SetVoiceByProperties(&spec) != EE_OK) {
            espeak_VOICE english{};
            english.languages = "en";
            espeak_SetVoiceByProperties(&english);
        }
        espeak_SetParameter(espeakRATE, voice.rate, 0);
        espeak_SetParameter(espeakPITCH, voice.pitch, 0);

        Collector collector;
        const QByteArray utf8 = text.toUtf8();
        if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, &collector) != EE_OK)
            return {};

        Utterance u;
        u.samples = collector.samples;
        u.sampleRate = m_sampleRate;
        u.durationMs = int(qint64(u.samples.size() / 2) * 1000 / m_sampleRate);
        // espeak-ng counts characters (code points) from 1; the balloon counts UTF-16 units.
        const QList<uint> points = text.toUcs4();
        std::vector<int> unitAt(size_t(points.size()) + 1, 0);
        for (qsizetype i = 0; i < points.size(); ++i)
            unitAt[size_t(i) + 1] = unitAt[size_t(i)] + (points[i] > 0xFFFF ? 2 : 1);
        auto unit = [&](int point) { return unitAt[size_t(std::clamp<int>(point, 0, int(points.size())))]; };
        for (const espeak_EVENT& e : collector.events) {
            if (e.type != espeakEVENT_WORD)
                continue;
            const int from = unit(e.text_position - 1);
            const int to = unit(e.text_position - 1 + e.length);
            u.words.push_back({e.audio_position, from, to - from});
        }
        u.mouth = mouthFromLoudness(u.samples, m_sampleRate);
        return u;
    }

    int m_sampleRate = 0; // 0 not tried yet, negative failed
};

} // namespace

EspeakSpeech::EspeakSpeech(QObject* parent) : SpeechEngine(parent)
{
    qRegisterMetaType<character::Utterance>();
    qRegisterMetaType<character::VoiceChoice>();
    m_thread = new QThread(this);
    auto* worker = new EspeakWorker;
    worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &EspeakWorker::done, this, &SpeechEngine::synthesized, Qt::QueuedConnection);
    m_worker = worker;
    m_thread->start();
}

EspeakSpeech::~EspeakSpeech()
{
    m_thread->quit();
    m_thread->wait();
}

void EspeakSpeech::synthesize(int id, const QString& text, const VoiceChoice& voice)
{
    QMetaObject::invokeMethod(m_worker, "run", Qt::QueuedConnection, Q_ARG(int, id), Q_ARG(QString, text),
                              Q_ARG(character::VoiceChoice, voice));
}

} // namespace character

#include "Speech.moc"
