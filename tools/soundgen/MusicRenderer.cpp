#include "MusicRenderer.h"

#include "Dsp.h"
#include "Reverb.h"
#include "SynthVoice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

struct Instrument {
    VoiceParams voice;
    double reverbSend = 0.0;
    double echoSend = 0.0;
    double legato = 0.9;   // share of the written length a note is held
    double humanize = 0.0; // up to this share of velocity is taken off at random, so repeats differ
};

enum class StepKind { Hold, Rest, Notes };

struct Step {
    StepKind kind = StepKind::Rest;
    std::vector<double> frequencies;
    double velocity = 1.0;
};

struct Pattern {
    size_t instrument = 0;
    std::vector<Step> steps;
};

struct Section {
    int bars = 1;
    std::vector<size_t> patterns;
};

struct Song {
    int sampleRate = 44100;
    double tempo = 100.0;
    int stepsPerBeat = 4;
    int beatsPerBar = 4;
    double peakDecibels = -3.0;
    double reverbReturn = 0.0;
    double reverbSize = 0.6;
    double reverbDamping = 0.5;
    double echoSteps = 3.0;
    double echoFeedback = 0.35;
    double swing = 0.0;
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<Section> sections;
    std::vector<size_t> sequence;
};

struct NoteEvent {
    size_t instrument = 0;
    double frequency = 0.0;
    double startSeconds = 0.0;
    double gateSeconds = 0.0;
    double velocity = 1.0;
};

// "x" and "o" strike the instrument's own pitch; "C4+E4@0.6" is a chord at 60 % velocity.
bool ParseStep(const std::string& token, const VoiceParams& voice, Step& step) {
    step = Step();
    if (token == ".") {
        step.kind = StepKind::Hold;
        return true;
    }
    if (token == "-") {
        step.kind = StepKind::Rest;
        return true;
    }
    step.kind = StepKind::Notes;
    if (token == "x" || token == "o") {
        step.frequencies.push_back(voice.frequency);
        step.velocity = token == "x" ? 1.0 : 0.5;
        return true;
    }
    std::string notes = token;
    size_t at = token.find('@');
    if (at != std::string::npos) {
        notes = token.substr(0, at);
        std::string velocity = token.substr(at + 1);
        char* end = nullptr;
        step.velocity = std::strtod(velocity.c_str(), &end);
        if (velocity.empty() || *end != '\0' || !(step.velocity > 0.0 && step.velocity <= 2.0)) {
            return false;
        }
    }
    size_t begin = 0;
    while (begin <= notes.size()) {
        size_t plus = notes.find('+', begin);
        std::string name = notes.substr(begin, plus == std::string::npos ? std::string::npos : plus - begin);
        double frequency = 0.0;
        if (!NoteFrequency(name, frequency)) {
            return false;
        }
        step.frequencies.push_back(frequency);
        if (plus == std::string::npos) {
            break;
        }
        begin = plus + 1;
    }
    return true;
}

void ReadHeader(RecipeReader& reader, Song& song) {
    reader.Text("type", "");
    reader.Text("file", "");
    double rate = reader.Number("rate", 44100, 8000, 48000);
    if (rate != 44100 && rate != 48000) {
        reader.Fail(reader.Line(), "rate must be 44100 or 48000");
    }
    song.sampleRate = static_cast<int>(rate);
    song.tempo = reader.Number("tempo", song.tempo, 30.0, 300.0);
    song.stepsPerBeat = static_cast<int>(reader.Number("steps_per_beat", song.stepsPerBeat, 1, 8));
    song.beatsPerBar = static_cast<int>(reader.Number("beats_per_bar", song.beatsPerBar, 1, 16));
    song.peakDecibels = reader.Number("peak_db", song.peakDecibels, -40.0, -1.0);
    song.reverbReturn = reader.Number("reverb", song.reverbReturn, 0.0, 2.0);
    song.reverbSize = reader.Number("reverb_size", song.reverbSize, 0.0, 1.0);
    song.reverbDamping = reader.Number("reverb_damping", song.reverbDamping, 0.0, 1.0);
    song.echoSteps = reader.Number("echo_steps", song.echoSteps, 0.25, 32.0);
    song.echoFeedback = reader.Number("echo_feedback", song.echoFeedback, 0.0, 0.9);
    song.swing = reader.Number("swing", song.swing, 0.0, 0.5);
}

bool Lookup(const std::map<std::string, size_t>& names, const std::string& name, size_t& index) {
    auto found = names.find(name);
    if (found == names.end()) {
        return false;
    }
    index = found->second;
    return true;
}

bool ReadSong(const SoundRecipe& recipe, Song& song, std::string& error) {
    RecipeReader header(recipe.Header(), recipe.SourceName(), error);
    ReadHeader(header, song);

    // Instruments first, so patterns and sections may come in any order in the file.
    std::map<std::string, size_t> instrumentNames;
    std::map<std::string, size_t> patternNames;
    std::map<std::string, size_t> sectionNames;
    for (const RecipeSection& section : recipe.Sections()) {
        RecipeReader reader(section, recipe.SourceName(), error);
        if (section.kind != "instrument" && section.kind != "pattern" && section.kind != "section") {
            reader.Fail(section.line, "unknown section kind '" + section.kind + "'");
            return false;
        }
        if (section.name.empty()) {
            reader.Fail(section.line, "[" + section.kind + "] needs a name");
            return false;
        }
        std::map<std::string, size_t>& names = section.kind == "instrument" ? instrumentNames
                                               : section.kind == "pattern"  ? patternNames
                                                                            : sectionNames;
        if (names.count(section.name) != 0) {
            reader.Fail(section.line, "'" + section.name + "' defined twice");
            return false;
        }
        size_t index = names.size();
        names[section.name] = index;
        if (section.kind == "instrument") {
            Instrument instrument;
            ReadVoiceParams(reader, instrument.voice);
            instrument.reverbSend = reader.Number("reverb", 0.0, 0.0, 2.0);
            instrument.echoSend = reader.Number("echo", 0.0, 0.0, 2.0);
            instrument.legato = reader.Number("legato", instrument.legato, 0.05, 1.0);
            instrument.humanize = reader.Number("humanize", instrument.humanize, 0.0, 0.5);
            reader.Finish();
            song.instruments.push_back(instrument);
        }
    }
    if (!error.empty()) {
        return false;
    }
    song.patterns.resize(patternNames.size());
    song.sections.resize(sectionNames.size());
    for (const RecipeSection& section : recipe.Sections()) {
        RecipeReader reader(section, recipe.SourceName(), error);
        if (section.kind == "pattern") {
            Pattern& pattern = song.patterns[patternNames[section.name]];
            std::string instrument = reader.Text("instrument", "");
            if (!Lookup(instrumentNames, instrument, pattern.instrument)) {
                reader.Fail(section.line, "pattern '" + section.name + "' needs a known instrument");
                return false;
            }
            for (const std::string& token : SplitWords(reader.Joined("notes"))) {
                Step step;
                if (!ParseStep(token, song.instruments[pattern.instrument].voice, step)) {
                    reader.Fail(section.line, "bad step '" + token + "' in pattern '" + section.name + "'");
                    return false;
                }
                pattern.steps.push_back(step);
            }
            if (pattern.steps.empty()) {
                reader.Fail(section.line, "pattern '" + section.name + "' has no notes");
            }
        } else if (section.kind == "section") {
            Section& part = song.sections[sectionNames[section.name]];
            part.bars = static_cast<int>(reader.Number("bars", 1, 1, 256));
            for (const std::string& name : SplitWords(reader.Joined("play"))) {
                size_t index = 0;
                if (!Lookup(patternNames, name, index)) {
                    reader.Fail(section.line,
                                "section '" + section.name + "' plays unknown pattern '" + name + "'");
                    return false;
                }
                part.patterns.push_back(index);
            }
        }
        if (section.kind != "instrument") {
            reader.Finish();
        }
    }
    for (const std::string& name : SplitWords(header.Joined("sequence"))) {
        size_t index = 0;
        if (!Lookup(sectionNames, name, index)) {
            header.Fail(header.Line(), "sequence names unknown section '" + name + "'");
            return false;
        }
        song.sequence.push_back(index);
    }
    if (song.sequence.empty()) {
        header.Fail(header.Line(), "music needs a sequence of sections");
    }
    header.Finish();
    return error.empty();
}

// A fixed pseudo-random number in [0, 1) for a note, the same on every run.
double NoteJitter(size_t step, size_t instrument, size_t voice) {
    std::uint32_t hash = static_cast<std::uint32_t>(step * 2654435761u) ^
                         static_cast<std::uint32_t>(instrument * 40503u) ^
                         static_cast<std::uint32_t>(voice * 97u);
    hash ^= hash >> 15;
    hash *= 2246822519u;
    hash ^= hash >> 13;
    return (hash & 0xFFFFu) / 65536.0;
}

// Lays out every note of the sequence, cut after maxBars bars when asked. Returns the length in steps.
size_t CollectEvents(const Song& song, int maxBars, std::vector<NoteEvent>& events) {
    const size_t stepsPerBar = static_cast<size_t>(song.stepsPerBeat * song.beatsPerBar);
    const double stepSeconds = 60.0 / song.tempo / song.stepsPerBeat;
    size_t sectionStart = 0;
    size_t barsDone = 0;
    for (size_t sectionIndex : song.sequence) {
        const Section& section = song.sections[sectionIndex];
        size_t bars = static_cast<size_t>(section.bars);
        if (maxBars > 0) {
            bars = std::min(bars, static_cast<size_t>(maxBars) - barsDone);
        }
        size_t length = bars * stepsPerBar;
        for (size_t patternIndex : section.patterns) {
            const Pattern& pattern = song.patterns[patternIndex];
            const Instrument& instrument = song.instruments[pattern.instrument];
            // Tile the pattern over the section; a held note ends at the section's end.
            for (size_t step = 0; step < length; ++step) {
                const Step& current = pattern.steps[step % pattern.steps.size()];
                if (current.kind != StepKind::Notes) {
                    continue;
                }
                size_t held = 1;
                while (step + held < length &&
                       pattern.steps[(step + held) % pattern.steps.size()].kind == StepKind::Hold) {
                    ++held;
                }
                size_t absolute = sectionStart + step;
                double swingDelay = (absolute % 2 == 1) ? song.swing * stepSeconds : 0.0;
                for (size_t voice = 0; voice < current.frequencies.size(); ++voice) {
                    double frequency = current.frequencies[voice];
                    NoteEvent event;
                    event.instrument = pattern.instrument;
                    event.frequency = frequency;
                    event.startSeconds = absolute * stepSeconds + swingDelay;
                    event.gateSeconds = held * stepSeconds * instrument.legato;
                    event.velocity =
                        current.velocity *
                        (1.0 - instrument.humanize * NoteJitter(absolute, pattern.instrument, voice));
                    events.push_back(event);
                }
            }
        }
        sectionStart += length;
        barsDone += bars;
        if (maxBars > 0 && barsDone >= static_cast<size_t>(maxBars)) {
            break;
        }
    }
    return sectionStart;
}

// Adds a note into a loop of frames: whatever rings past the end lands at the start, exactly as it
// will sound when the player loops the piece.
void AddCircular(const std::vector<float>& note, size_t start, double gainLeft, double gainRight,
                 std::vector<float>& stereo) {
    size_t frames = stereo.size() / 2;
    size_t frame = start % frames;
    for (float sample : note) {
        stereo[frame * 2] += static_cast<float>(sample * gainLeft);
        stereo[frame * 2 + 1] += static_cast<float>(sample * gainRight);
        frame = frame + 1 == frames ? 0 : frame + 1;
    }
}

// Runs an effect round the loop until its tail has wrapped round (about ten seconds, at least one lap)
// and keeps the last lap.
template <typename Effect>
void ProcessLoop(Effect& effect, const std::vector<float>& send, double level, int sampleRate,
                 std::vector<float>& mix) {
    size_t frames = send.size() / 2;
    const double tailSeconds = 10.0;
    int laps = 1 + static_cast<int>(std::ceil(tailSeconds * sampleRate / static_cast<double>(frames)));
    for (int lap = 0; lap < laps; ++lap) {
        for (size_t frame = 0; frame < frames; ++frame) {
            double left = 0.0;
            double right = 0.0;
            effect.Process(send[frame * 2], send[frame * 2 + 1], left, right);
            if (lap == laps - 1) {
                mix[frame * 2] += static_cast<float>(left * level);
                mix[frame * 2 + 1] += static_cast<float>(right * level);
            }
        }
    }
}

} // namespace

bool MusicRenderer::Render(const SoundRecipe& recipe, AudioBuffer& out, std::string& error) const {
    error.clear();
    Song song;
    if (!ReadSong(recipe, song, error)) {
        return false;
    }
    std::vector<NoteEvent> events;
    size_t steps = CollectEvents(song, maxBars_, events);
    const double stepSeconds = 60.0 / song.tempo / song.stepsPerBeat;
    const size_t frames = static_cast<size_t>(std::lround(steps * stepSeconds * song.sampleRate));
    if (frames == 0) {
        error = recipe.SourceName() + ": the sequence is empty";
        return false;
    }

    std::vector<float> dry(frames * 2, 0.0f);
    std::vector<float> reverbSend(frames * 2, 0.0f);
    std::vector<float> echoSend(frames * 2, 0.0f);
    std::vector<float> note;
    for (const NoteEvent& event : events) {
        const Instrument& instrument = song.instruments[event.instrument];
        note.assign(VoiceLength(instrument.voice, event.gateSeconds, song.sampleRate), 0.0f);
        RenderVoice(instrument.voice, event.frequency, event.gateSeconds, event.velocity, song.sampleRate,
                    note, 0);
        // Equal-power pan.
        double angle = (instrument.voice.pan + 1.0) * kPi / 4.0;
        double left = std::cos(angle);
        double right = std::sin(angle);
        size_t start = static_cast<size_t>(std::lround(event.startSeconds * song.sampleRate));
        AddCircular(note, start, left, right, dry);
        if (instrument.reverbSend > 0.0) {
            AddCircular(note, start, left * instrument.reverbSend, right * instrument.reverbSend, reverbSend);
        }
        if (instrument.echoSend > 0.0) {
            AddCircular(note, start, left * instrument.echoSend, right * instrument.echoSend, echoSend);
        }
    }

    std::vector<float> mix = dry;
    Echo echo(song.sampleRate, song.echoSteps * stepSeconds, song.echoFeedback);
    ProcessLoop(echo, echoSend, 0.5, song.sampleRate, mix);
    if (song.reverbReturn > 0.0) {
        Reverb room(song.sampleRate, song.reverbSize, song.reverbDamping);
        ProcessLoop(room, reverbSend, song.reverbReturn, song.sampleRate, mix);
    }

    // The loop is periodic, so taking out each channel's mean removes any DC without touching the seam.
    for (int channel = 0; channel < 2; ++channel) {
        double sum = 0.0;
        for (size_t frame = 0; frame < frames; ++frame) {
            sum += mix[frame * 2 + channel];
        }
        float mean = static_cast<float>(sum / frames);
        for (size_t frame = 0; frame < frames; ++frame) {
            mix[frame * 2 + channel] -= mean;
        }
    }
    out.sampleRate = song.sampleRate;
    out.channels = 2;
    out.samples = std::move(mix);
    NormalisePeak(out, song.peakDecibels);
    return true;
}
