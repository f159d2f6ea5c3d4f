#include "PresetPanelComponent.h"

#include "PresetFiles.h"
#include "UserSettings.h"
#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

namespace
{
// Parameter changes from other threads reach the label within this time.
constexpr int kLabelPollHz = 15;

// A preset name read from a file becomes a file name when saved: it must not lead elsewhere.
bool isPlainFileName(const juce::String& name)
{
    return name.isNotEmpty() && name != "." && name != ".." && !name.containsAnyOf("/\\");
}
} // namespace

const std::array<const char*, 33> PresetPanelComponent::kWatchedParams{
    "g",       "s",     "e",    "fb",    "fbk",   "dcv",    "hp",      "lp",     "mix",    "wo",       "lrs",
    "lfoDp",   "lsh",   "trem", "tremR", "tremD", "tremPh", "tremOff", "tremSh", "tp",     "td",       "sat",
    "flutter", "tpWet", "mu",   "rev",   "dc",    "pd",     "ppOn",    "ppW",    "spread", "sideOnly", "lk",
};

PresetPanelComponent::PresetPanelComponent(juce::AudioProcessorValueTreeState& treeIn,
                                           presets::PresetLibrary& libraryIn)
    : tree(treeIn), library(libraryIn), settings(presets::settingsFile())
{
    nameLabel.setText(currentName, juce::dontSendNotification);
    nameLabel.setFont(Typefaces::consolas(11.0f));
    nameLabel.setColour(juce::Label::textColourId, Palette::textBright);
    nameLabel.setJustificationType(juce::Justification::centred);
    nameLabel.addMouseListener(this, true);
    addAndMakeVisible(nameLabel);
    addAndMakeVisible(prevButton);
    addAndMakeVisible(nextButton);

    prevButton.onClick = [this] { step(-1); };
    nextButton.onClick = [this] { step(+1); };

    for (const auto* id : kWatchedParams)
        if (tree.getParameter(id) != nullptr)
            tree.addParameterListener(id, this);

    rebuildNavList();
    startTimerHz(kLabelPollHz);
}

PresetPanelComponent::~PresetPanelComponent()
{
    stopTimer();
    for (const auto* id : kWatchedParams)
        tree.removeParameterListener(id, this);
    nameLabel.removeMouseListener(this);
}

juce::String PresetPanelComponent::getCurrentId() const
{
    return presets::Patch{currentName, currentBank, {}}.getId();
}

void PresetPanelComponent::setCurrent(const juce::String& name, const juce::String& bank)
{
    becomeCurrent(name, bank);
}

void PresetPanelComponent::becomeCurrent(const juce::String& name, const juce::String& bank)
{
    currentName = name;
    currentBank = bank;
    dirty = false;
    updateLabel();
}

void PresetPanelComponent::parameterChanged(const juce::String&, float)
{
    if (suppressDirty)
        return;
    dirty = true;
    // Host automation may call from the audio thread, where nothing may lock or allocate:
    // only flag it there and let the timer refresh the label.
    if (juce::MessageManager::existsAndIsCurrentThread())
        updateLabel();
    else
        labelStale = true;
}

void PresetPanelComponent::timerCallback()
{
    if (labelStale.exchange(false))
        updateLabel();
}

void PresetPanelComponent::updateLabel()
{
    nameLabel.setText(currentName + (dirty ? "*" : ""), juce::dontSendNotification);
}

void PresetPanelComponent::showFailure(const juce::String& text)
{
    nameLabel.setText(text, juce::dontSendNotification);
}

void PresetPanelComponent::loadPatch(const presets::Patch& patch)
{
    // A copy: the patch may live in the library, which the callback is free to rescan.
    const presets::Patch loaded = patch;
    suppressDirty = true;
    if (onPatchSelected)
        onPatchSelected(loaded);
    suppressDirty = false;
    labelStale = false;
    becomeCurrent(loaded.name, loaded.bank);
}

void PresetPanelComponent::rebuildNavList()
{
    navList.clear();
    for (const auto* patch : library.orderedPatches())
    {
        const auto id = patch->getId();
        if (std::find(navList.begin(), navList.end(), id) == navList.end())
            navList.push_back(id);
    }
}

void PresetPanelComponent::step(int delta)
{
    if (navList.empty())
        rebuildNavList();
    if (navList.empty())
        return;

    const auto n = static_cast<int>(navList.size());
    const auto found = std::find(navList.begin(), navList.end(), getCurrentId());
    const int i = found != navList.end() ? static_cast<int>(found - navList.begin()) : 0;
    const int target = ((i + delta) % n + n) % n;
    if (const auto* patch = library.findPatchById(navList[static_cast<size_t>(target)]))
        loadPatch(*patch);
}

void PresetPanelComponent::mouseDown(const juce::MouseEvent& e)
{
    if (e.eventComponent == &nameLabel)
        showPresetMenu();
}

juce::PopupMenu PresetPanelComponent::buildPresetMenu()
{
    auto built = presets::buildPresetMenu(library, {currentName, getCurrentId(), dirty.load()});
    menuPatches = std::move(built.patches);
    return std::move(built.menu);
}

void PresetPanelComponent::showPresetMenu()
{
    juce::Component::SafePointer<PresetPanelComponent> safeThis(this);
    buildPresetMenu().showMenuAsync(juce::PopupMenu::Options().withTargetComponent(&nameLabel),
                                    [safeThis](int result)
                                    {
                                        if (auto* panel = safeThis.getComponent())
                                            panel->handleMenuResult(result);
                                    });
}

void PresetPanelComponent::handleMenuResult(int result)
{
    if (result >= 1 && result <= static_cast<int>(menuPatches.size()))
    {
        loadPatch(menuPatches[static_cast<size_t>(result - 1)]);
        return;
    }
    const auto id = getCurrentId();
    switch (result)
    {
    case presets::kSaveAsItem:
        showSaveDialog();
        break;
    case presets::kFavouriteToggleItem:
        if (library.isFavourite(id))
            library.removeFavourite(id);
        else
            library.addFavourite(id);
        break;
    case presets::kSaveAsDefaultItem:
        presets::writeDefaultPatchId(id, settings);
        break;
    case presets::kOpenOtherItem:
        openOtherPreset();
        break;
    case presets::kChangeFolderItem:
        changePresetFolder();
        break;
    case presets::kOrganizeItem:
        // The file browser cannot open a folder that does not exist yet.
        library.getUserFolder().createDirectory();
        library.getUserFolder().startAsProcess();
        break;
    case presets::kRefreshItem:
        library.rescanUserPresets();
        rebuildNavList();
        break;
    case presets::kSaveOverwriteItem:
        saveOverwrite();
        break;
    default:
        break;
    }
}

juce::File PresetPanelComponent::overwriteTarget() const
{
    if (!isPlainFileName(currentName) || library.getUserFolder() == juce::File())
        return {};
    auto folder = library.getUserFolder();
    if (currentBank.isNotEmpty())
        folder = folder.getChildFile(currentBank);
    return folder.getChildFile(currentName + ".json");
}

void PresetPanelComponent::saveOverwrite()
{
    if (currentName.isEmpty())
        return;
    const auto target = overwriteTarget();
    const auto params = getCurrentParams ? getCurrentParams() : juce::var();
    const auto written =
        target == juce::File() ? juce::File() : library.savePreset(target, currentName, params);
    if (written == juce::File())
    {
        showFailure("SAVE FAILED");
        return;
    }
    currentBank = library.relativeBankOf(written);
    dirty = false;
    rebuildNavList();
    updateLabel();
}

bool PresetPanelComponent::saveAs(const juce::File& chosen)
{
    // "My.Take" becomes "My.Take.json": the extension is added, never swapped.
    const auto file =
        chosen.hasFileExtension("json") ? chosen : chosen.getSiblingFile(chosen.getFileName() + ".json");
    const auto name = file.getFileNameWithoutExtension();
    const auto params = getCurrentParams ? getCurrentParams() : juce::var();
    const auto written = isPlainFileName(name) ? library.savePreset(file, name, params) : juce::File();
    if (written == juce::File())
    {
        showFailure("SAVE FAILED");
        return false;
    }
    becomeCurrent(name, library.relativeBankOf(written));
    rebuildNavList();
    return true;
}

bool PresetPanelComponent::openPresetFile(const juce::File& file)
{
    const auto object = presets::readJsonObjectFile(file);
    // Any other JSON object (the settings, say) is not a preset: applying it would reset every
    // parameter to its default.
    if (object.isVoid() || object["params"].getDynamicObject() == nullptr)
    {
        showFailure("LOAD FAILED");
        return false;
    }
    const auto storedName = object["name"].toString();
    loadPatch(
        {storedName.isNotEmpty() ? storedName : file.getFileNameWithoutExtension(), {}, object["params"]});
    return true;
}

void PresetPanelComponent::usePresetFolder(const juce::File& folder)
{
    presets::writePresetFolder(folder, settings);
    library.setUserFolder(folder);
    library.loadFavourites();
    library.rescanUserPresets();
    rebuildNavList();
}

void PresetPanelComponent::launchChooser(const juce::String& title, const juce::String& pattern, int flags,
                                         std::function<void(const juce::File&)> onChosen)
{
    juce::Component::SafePointer<PresetPanelComponent> safeThis(this);
    fileChooser = std::make_unique<juce::FileChooser>(title, library.getUserFolder(), pattern);
    fileChooser->launchAsync(flags,
                             [safeThis, onChosen](const juce::FileChooser& chooser)
                             {
                                 const auto result = chooser.getResult();
                                 if (safeThis != nullptr && result != juce::File())
                                     onChosen(result);
                             });
}

void PresetPanelComponent::showSaveDialog()
{
    launchChooser("Save Preset", "*.json",
                  juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
                      juce::FileBrowserComponent::warnAboutOverwriting,
                  [this](const juce::File& file) { saveAs(file); });
}

void PresetPanelComponent::openOtherPreset()
{
    launchChooser("Open Preset", "*.json",
                  juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                  [this](const juce::File& file) { openPresetFile(file); });
}

void PresetPanelComponent::changePresetFolder()
{
    launchChooser("Choose Preset Folder", {},
                  juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectDirectories,
                  [this](const juce::File& folder) { usePresetFolder(folder); });
}

void PresetPanelComponent::resized()
{
    prevButton.setBounds(0, 0, 22, 26);
    nextButton.setBounds(22, 0, 22, 26);
    nameLabel.setBounds(46, 0, juce::jmax(getWidth() - 46, 0), 26);
}

void PresetPanelComponent::paint(juce::Graphics& g)
{
    const juce::Rectangle<float> area(0.0f, 1.0f, static_cast<float>(juce::jmax(getWidth(), 0)),
                                      static_cast<float>(juce::jmax(getHeight() - 2, 0)));
    g.setColour(Palette::panelBg);
    g.fillRoundedRectangle(area, 5.0f);
    g.setColour(Palette::border);
    g.drawRoundedRectangle(area, 5.0f, 0.5f);
}
