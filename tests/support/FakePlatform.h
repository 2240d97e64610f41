#pragma once

#include "platform/FileDialog.h"
#include "platform/Platform.h"
#include "app/SlotAccess.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavimor::test {

// Files in memory. A path can be made to fail on reading, writing or commit.
class MemoryFileStore : public FileStore
{
public:
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> readFailures;  // path -> reason
    std::map<std::string, std::string> commitFailures; // path -> reason
    int openOutputs = 0;

    std::string readAll(const std::string& path, std::uint64_t maxBytes) override
    {
        if (auto failure = readFailures.find(path); failure != readFailures.end())
            throw PlatformError(describeFileError(path, failure->second));
        auto file = files.find(path);
        if (file == files.end())
            throw PlatformError(describeFileError(path, "the file does not exist"));
        if (file->second.size() > maxBytes)
            throw FileTooLargeError(path, file->second.size());
        return file->second;
    }

    std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) override
    {
        if (auto failure = readFailures.find(path); failure != readFailures.end())
            throw PlatformError(describeFileError(path, failure->second));
        auto file = files.find(path);
        if (file == files.end())
            return std::nullopt;
        return file->second.substr(0, maxBytes);
    }

    std::unique_ptr<OutputFile> create(const std::string& path) override
    {
        return std::make_unique<Output>(*this, path);
    }

private:
    class Output : public OutputFile
    {
    public:
        Output(MemoryFileStore& store, std::string path)
            : m_store(store)
            , m_path(std::move(path))
        {
            ++m_store.openOutputs;
        }
        ~Output() override { --m_store.openOutputs; }
        void write(std::string_view bytes) override { m_bytes += bytes; }
        void commit() override
        {
            if (auto failure = m_store.commitFailures.find(m_path); failure != m_store.commitFailures.end())
                throw PlatformError(describeFileError(m_path, failure->second));
            m_store.files[m_path] = m_bytes;
        }

    private:
        MemoryFileStore& m_store;
        std::string m_path;
        std::string m_bytes;
    };
};

// Answers each ShowOpen / ShowSave with the next scripted path ("" cancels)
// and records the settings it was shown with.
class FakeFileDialog : public FileDialog
{
public:
    struct Shown
    {
        bool save;
        std::int32_t flags;
        std::string filter;
        std::string fileNameBefore;
    };
    std::deque<std::string> answers;
    std::vector<Shown> shown;
    // Runs once the dialog has been answered: what happens to the chosen file
    // before the program gets to read it.
    std::function<void(const std::string&)> afterAnswer;

    void ShowOpen() override { answer(false); }
    void ShowSave() override { answer(true); }

private:
    void answer(bool save)
    {
        shown.push_back({save, Flags, Filter, FileName});
        if (answers.empty())
            throw std::logic_error("dialog shown without a scripted answer");
        const std::string chosen = answers.front();
        answers.pop_front();
        if (!chosen.empty())
            FileName = chosen; // a cancelled dialog leaves FileName as it was
        if (afterAnswer)
            afterAnswer(chosen);
    }
};

// Registry values by key and value name; counts how often keys are closed.
class ScriptedRegistry : public Registry
{
public:
    struct Value
    {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys;
    bool throwOnQuery = false;
    int opened = 0;
    int closed = 0;

    // The access of every open, refused as Windows refuses a process that is
    // not elevated any access that changes something under HKEY_LOCAL_MACHINE.
    std::vector<std::uint32_t> accessAsked;
    long RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t, std::uint32_t access, Key& result) override
    {
        accessAsked.push_back(access);
        if (access & kWriteAccess)
            return 5; // ERROR_ACCESS_DENIED
        if (root != kLocalMachine || !keys.count(subKey))
            return 2;
        ++opened;
        m_names.push_back(subKey);
        result = m_names.size();
        return 0;
    }
    long RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override
    {
        if (throwOnQuery)
            throw PlatformError("the registry failed");
        const auto& values = keys.at(m_names.at(key - 1));
        const auto value = values.find(valueName);
        if (value == values.end())
            return 2;
        if (value->second.bytes.size() > size)
            return 234;
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), data);
        size = std::uint32_t(value->second.bytes.size());
        type = value->second.type;
        return 0;
    }
    long RegCloseKey(Key) override
    {
        ++closed;
        return 0;
    }

private:
    std::vector<std::string> m_names;
};

class FakePlatform : public Platform
{
public:
    std::vector<std::string> messages;
    // Nothing: the clipboard holds no text (empty, or a picture only).
    std::optional<std::string> clipboard;
    bool clipboardFails = false;
    std::vector<std::string> started;
    std::vector<std::string> existingFiles;
    MemoryFileStore store;
    ScriptedRegistry scriptedRegistry;
    // A real registry to use instead of the scripted one, when set.
    Registry* hostRegistry = nullptr;
    bool startFails = false;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    // Each question is recorded and answered with the next scripted answer.
    std::vector<std::string> questions;
    std::deque<bool> answers;
    bool AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            throw std::logic_error("question asked without a scripted answer: " + text);
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    void ClipboardClear() override
    {
        failIfAsked();
        clipboard.reset();
    }
    void ClipboardSetText(const std::string& text) override
    {
        failIfAsked();
        clipboard = text;
    }
    bool ClipboardHasText() override
    {
        failIfAsked();
        return clipboard.has_value();
    }
    std::string ClipboardGetText() override
    {
        failIfAsked();
        return clipboard.value_or("");
    }

    TextFile& textFile() override { return m_file; }

    Registry& registry() override { return hostRegistry ? *hostRegistry : scriptedRegistry; }

    std::string systemFolder; // empty: a host without one
    std::string SystemFolder() override { return systemFolder; }

    void StartProgram(const std::string& path) override
    {
        if (startFails || path.empty())
            throw PlatformError(describeFileError(path, "this is not a program that can be started"));
        started.push_back(path);
    }
    bool FileExists(const std::string& path) override
    {
        return std::find(existingFiles.begin(), existingFiles.end(), path) != existingFiles.end();
    }

private:
    void failIfAsked()
    {
        if (clipboardFails)
            throw PlatformError("the clipboard is held by another program");
    }
    TextFile m_file{store};
};

// Six slot texts in memory.
class FakeSlots : public SlotAccess
{
public:
    SlotTexts texts;
    int writes = 0;
    // A text box that cannot hold this character, as one on Windows cannot hold NUL.
    std::optional<char> cannotHold;
    std::string slotText(int slot) const override { return texts.at(slot - 1); }

protected:
    void storeSlotText(int slot, std::string text) override
    {
        texts.at(slot - 1) = std::move(text);
        ++writes;
    }
    std::optional<std::string> refusal(std::string_view text) const override
    {
        if (cannotHold && text.find(*cannotHold) != std::string_view::npos)
            return std::string("the text box cannot hold it");
        return std::nullopt;
    }
};

} // namespace tavimor::test
