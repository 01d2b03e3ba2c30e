#include "character/Speech.h"

#include <QLocale>
#include <QMetaObject>
#include <QRegularExpression>
#include <QThread>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>

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

void Utterance::appendTimes(const Utterance& part)
{
    for (Word w : part.words) {
        w.startMs += durationMs;
        words.push_back(w);
    }
    for (Mouth m : part.mouth) {
        m.startMs += durationMs;
        mouth.push_back(m);
    }
    durationMs += part.durationMs;
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

QByteArray languageNamed(const QString& englishName)
{
    for (int l = QLocale::C + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = QLocale::Language(l);
        if (QLocale::languageToString(language).compare(englishName, Qt::CaseInsensitive) != 0)
            continue;
        const QByteArray code = QLocale(language).name().section(u'_', 0, 0).toLatin1();
        return code == "zh" ? QByteArray("cmn") : code;
    }
    return {};
}

QByteArray languageOfScript(const QString& text)
{
    std::map<QChar::Script, int> letters;
    for (const QChar c : text)
        if (c.isLetter())
            ++letters[c.script()];
    if (letters.empty())
        return {};
    const auto most = std::max_element(letters.begin(), letters.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    auto has = [&](const char16_t* marks) {
        return std::any_of(text.begin(), text.end(), [&](QChar c) {
            return std::u16string_view(marks).find(c.unicode()) != std::u16string_view::npos;
        });
    };
    switch (most->first) {
    case QChar::Script_Arabic:
        return has(u"\u0679\u0688\u0691\u06BA\u06D2")         ? "ur"
               : has(u"\u067E\u0686\u0698\u06AF\u06A9\u06CC") ? "fa"
                                                              : "ar";
    case QChar::Script_Hebrew:
        return "he";
    case QChar::Script_Cyrillic:
        return has(u"\u0456\u0457\u0454\u0491\u0406\u0407\u0404\u0490") ? "uk" : "ru";
    case QChar::Script_Greek:
        return "el";
    case QChar::Script_Han:
        return letters.count(QChar::Script_Hiragana) || letters.count(QChar::Script_Katakana) ? "ja" : "cmn";
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return "ja";
    case QChar::Script_Hangul:
        return "ko";
    case QChar::Script_Thai:
        return "th";
    case QChar::Script_Devanagari:
        return "hi";
    case QChar::Script_Bengali:
        return "bn";
    case QChar::Script_Tamil:
        return "ta";
    case QChar::Script_Georgian:
        return "ka";
    case QChar::Script_Armenian:
        return "hy";
    case QChar::Script_Ethiopic:
        return "am";
    default:
        return {};
    }
}

namespace {

// Words that nearly every sentence of a language has, and few of another's.
struct CommonWords
{
    const char* language;
    QStringList words;
    const char16_t* letters; // letters of its own
};

const std::vector<CommonWords>& commonWords()
{
    static const std::vector<CommonWords> all = {
        {"en", QString("the and is are you to of it in for with this that at your be will not").split(' '),
         u""},
        {"de",
         QString("der die das und ist nicht ein eine zu mit für den dem sie es ich wir bitte uhr jetzt auf")
             .split(' '),
         u"äöüß"},
        {"fr",
         QString("le la les et est un une des du pour avec vous il elle ce que pas dans sur heure maintenant")
             .split(' '),
         u"éèêàçœù"},
        {"es", QString("el la los las y es un una que para con por no está usted hora ahora muy").split(' '),
         u"ñ¿¡"},
        {"it", QString("il lo gli le e è un una di che per con non sono ora adesso della").split(' '), u"ìò"},
        {"nl", QString("de het een en is van niet met voor zijn ik je we dat op nu uur").split(' '), u"ij"},
        {"pt", QString("o a os as e é um uma de que para com não em está hora agora você").split(' '), u"ãõ"},
    };
    return all;
}

QByteArray languageOfLatinWords(const QString& text)
{
    const QStringList words = text.toLower().split(QRegularExpression(QStringLiteral("[^\\p{L}']+")),
                                                   Qt::SkipEmptyParts);
    std::vector<int> score(commonWords().size(), 0);
    for (size_t l = 0; l < commonWords().size(); ++l) {
        const CommonWords& language = commonWords()[l];
        for (const QString& w : words)
            if (language.words.contains(w))
                score[l] += 2;
        for (const char16_t* c = language.letters; *c; ++c)
            if (text.contains(QChar(*c), Qt::CaseInsensitive))
                score[l] += 3;
    }
    const auto best = std::max_element(score.begin(), score.end());
    const int bestScore = *best;
    *best = -1;
    // One stray word does not make a language; a clear lead over the next one does.
    if (bestScore < 4 || bestScore < 2 * *std::max_element(score.begin(), score.end()))
        return {};
    return commonWords()[size_t(best - score.begin())].language;
}

} // namespace

QByteArray languageOfText(const QString& text, const QByteArray& fallback)
{
    const QByteArray script = languageOfScript(text);
    if (!script.isEmpty())
        return script;
    const QByteArray words = languageOfLatinWords(text);
    return words.isEmpty() ? fallback : words;
}

std::vector<std::pair<int, int>> speechParts(const QString& text, int longest)
{
    static const QString ends = QStringLiteral(".!?;\n\u3002\uFF01\uFF1F\u061F\u06D4\u0964");
    std::vector<std::pair<int, int>> parts;
    const int n = int(text.size());
    int start = 0;
    int lastBlank = -1;
    for (int i = 0; i < n; ++i) {
        if (text[i].isSpace())
            lastBlank = i;
        const bool sentenceEnds = ends.contains(text[i]) &&
                                  (i + 1 == n || text[i + 1].isSpace() || text[i] > u'\u2000');
        int cut = -1;
        if (sentenceEnds)
            cut = i + 1;
        else if (i + 1 - start >= longest)
            cut = lastBlank > start ? lastBlank + 1 : i + 1;
        if (cut > start) {
            parts.emplace_back(start, cut - start);
            start = cut;
            lastBlank = -1;
        }
    }
    if (start < n)
        parts.emplace_back(start, n - start);
    return parts;
}

SpokenForm spokenForm(const QString& text, const QByteArray& language)
{
    // A time, and the word for "o'clock" where the text has it after the time.
    static const QRegularExpression time(
        QStringLiteral("(?<![\\d:])([01]?\\d|2[0-3]):([0-5]\\d)(?![\\d:])(\\s+(?:Uhr|heures?)\\b)?"));
    SpokenForm form;
    auto keep = [&](int from, int to) {
        form.text += QStringView(text).mid(from, to - from);
        for (int i = from; i < to; ++i)
            form.origin.push_back(i);
    };
    int done = 0;
    for (auto it = time.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        keep(done, int(m.capturedStart()));
        const QString hour = m.captured(1);
        const int minute = m.captured(2).toInt();
        const QString minutes = QString::number(minute);
        QString said;
        // The hour's word said here takes the place of the one that follows the time.
        const bool hourWord = language == "de" || language == "fr";
        const int end = int(hourWord ? m.capturedEnd() : m.capturedEnd(2));
        if (language.startsWith("en"))
            said = minute == 0   ? hour
                   : minute < 10 ? hour + QStringLiteral(" oh ") + minutes
                                 : hour + u' ' + minutes;
        else if (language == "de")
            said = hour + QStringLiteral(" Uhr") + (minute ? u' ' + minutes : QString());
        else if (language == "fr")
            said = hour + (hour.toInt() == 1 ? QStringLiteral(" heure") : QStringLiteral(" heures")) +
                   (minute ? u' ' + minutes : QString());
        else
            said = minute == 0 ? hour : hour + u' ' + minutes;
        // The words of a time end where the time ends in the text.
        form.text += said;
        form.origin.insert(form.origin.end(), size_t(said.size()), end);
        done = end;
    }
    keep(done, int(text.size()));
    form.origin.push_back(int(text.size()));
    return form;
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

namespace {

Utterance shifted(Utterance u, int by)
{
    for (Utterance::Word& w : u.words)
        w.position += by;
    return u;
}

} // namespace

void TimedSpeech::synthesize(int id, const QString& text, const VoiceChoice&)
{
    m_id = id;
    m_text = text;
    m_parts = speechParts(text);
    m_next = 0;
    if (m_parts.empty())
        emit synthesized(id, Utterance(), true);
    else
        synthesizeMore(id);
}

void TimedSpeech::synthesizeMore(int id)
{
    if (id != m_id || m_next >= m_parts.size())
        return;
    const auto [start, length] = m_parts[m_next++];
    const Utterance part = shifted(timedUtterance(m_text.mid(start, length)), start);
    const bool last = m_next == m_parts.size();
    // The first part comes at once; later ones come as a real voice's would, after the call.
    if (m_next == 1)
        emit synthesized(id, part, last);
    else
        QMetaObject::invokeMethod(
            this, [this, id, part, last] { emit synthesized(id, part, last); }, Qt::QueuedConnection);
}

namespace {

// What espeak-ng hands to its callback while one text is synthesised.
struct Collector
{
    QByteArray samples;
    std::vector<espeak_EVENT> events;
    QByteArray phonemes;
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
    for (espeak_EVENT* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        if (e->type == espeakEVENT_WORD)
            collector->events.push_back(*e);
        else if (e->type == espeakEVENT_PHONEME)
            collector->phonemes += QByteArray(e->id.string,
                                              qsizetype(qstrnlen(e->id.string, sizeof e->id.string))) +
                                   ' ';
    }
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
    void done(int id, const character::Utterance& part, bool last);

public slots:
    void run(int id, const QString& text, const character::VoiceChoice& voice)
    {
        if (m_sampleRate == 0) {
            m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr,
                                             espeakINITIALIZE_PHONEME_EVENTS);
            if (m_sampleRate > 0)
                espeak_SetSynthCallback(collect);
        }
        m_id = id;
        m_text = text;
        m_voice = voice;
        m_parts = speechParts(text);
        m_next = 0;
        if (m_parts.empty())
            emit done(id, Utterance(), true);
        else
            more(id);
    }

    void more(int id)
    {
        if (id != m_id || m_next >= m_parts.size())
            return;
        const auto [start, length] = m_parts[m_next++];
        const QString part = m_text.mid(start, length);
        Utterance u = m_sampleRate > 0 ? speak(part) : Utterance();
        if (u.durationMs <= 0)
            u = timedUtterance(part);
        emit done(id, shifted(std::move(u), start), m_next == m_parts.size());
        if (m_next == m_parts.size())
            m_text.clear();
    }

private:
    // A part in its own script's language where that is another than the message's.
    Utterance speak(const QString& part)
    {
        QByteArray language = languageOfScript(part);
        if (language.isEmpty())
            language = m_voice.language;
        espeak_VOICE spec{};
        spec.languages = language.constData();
        spec.gender = static_cast<unsigned char>(m_voice.gender);
        spec.age = static_cast<unsigned char>(m_voice.age);
        if (espeak_SetVoiceByProperties(&spec) != EE_OK) {
            language = "en";
            espeak_VOICE english{};
            english.languages = "en";
            espeak_SetVoiceByProperties(&english);
        }
        espeak_SetParameter(espeakRATE, m_voice.rate, 0);
        espeak_SetParameter(espeakPITCH, m_voice.pitch, 0);

        Collector collector;
        const SpokenForm form = spokenForm(part, language);
        const QByteArray utf8 = form.text.toUtf8();
        if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, &collector) != EE_OK)
            return {};

        Utterance u;
        u.samples = std::move(collector.samples);
        u.sampleRate = m_sampleRate;
        u.language = language;
        u.phonemes = std::move(collector.phonemes);
        u.durationMs = int(qint64(u.samples.size() / 2) * 1000 / m_sampleRate);
        // espeak-ng counts characters (code points) from 1 in what it was given; the balloon
        // counts UTF-16 units of the text.
        const QList<uint> points = form.text.toUcs4();
        std::vector<int> unitAt(size_t(points.size()) + 1, 0);
        for (qsizetype i = 0; i < points.size(); ++i)
            unitAt[size_t(i) + 1] = unitAt[size_t(i)] + (points[i] > 0xFFFF ? 2 : 1);
        auto inText = [&](int point) {
            return form.origin[size_t(unitAt[size_t(std::clamp<int>(point, 0, int(points.size())))])];
        };
        for (const espeak_EVENT& e : collector.events) {
            const int from = inText(e.text_position - 1);
            const int to = inText(e.text_position - 1 + e.length);
            u.words.push_back({e.audio_position, from, std::max(0, to - from)});
        }
        u.mouth = mouthFromLoudness(u.samples, m_sampleRate);
        return u;
    }

    int m_sampleRate = 0; // 0 not tried yet, negative failed
    int m_id = 0;
    QString m_text;
    VoiceChoice m_voice;
    std::vector<std::pair<int, int>> m_parts;
    size_t m_next = 0;
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

void EspeakSpeech::synthesizeMore(int id)
{
    QMetaObject::invokeMethod(m_worker, "more", Qt::QueuedConnection, Q_ARG(int, id));
}

} // namespace character

#include "Speech.moc"
