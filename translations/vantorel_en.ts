<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>Caption</name>
    <message>
        <source>Vantorel: %1 i OLA (uniwersum %2)</source>
        <translation>Vantorel: %1 and OLA (universe %2)</translation>
    </message>
    <message>
        <source>Vantorel: %1</source>
        <translation>Vantorel: %1</translation>
    </message>
    <message>
        <source>Vantorel: OLA (uniwersum %1)</source>
        <translation>Vantorel: OLA (universe %1)</translation>
    </message>
    <message>
        <source>Vantorel: brak modułu DMX</source>
        <translation>Vantorel: no DMX module</translation>
    </message>
</context>
<context>
    <name>CloseButton</name>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>Nie udało się zrobić jego kopii.</source>
        <translation>Could not make a copy of it.</translation>
    </message>
    <message>
        <source>Kopia: %1</source>
        <translation>Copy: %1</translation>
    </message>
    <message>
        <source>Urządzenia z pliku %1, których typów nie ma w bibliotece, zostały pominięte: %2.
%3</source>
        <translation>Fixtures of the file %1 whose types are not in the library were left out: %2.
%3</translation>
    </message>
    <message>
        <source>Plik %1 jest uszkodzony i nie został wczytany w całości.
%2</source>
        <translation>The file %1 is damaged and was not loaded in full.
%2</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2. Plik nie zostanie nadpisany.</source>
        <translation>Cannot read the file %1: %2. The file will not be overwritten.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>brak uprawnień</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>to jest folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>część ścieżki nie jest folderem</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>nie ma takiego pliku ani folderu</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>brak miejsca na dysku</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>dysk jest tylko do odczytu</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>błąd odczytu lub zapisu dysku</source>
        <translation>disk read or write error</translation>
    </message>
    <message>
        <source>plik jest zajęty</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>za długa nazwa</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>za dużo dowiązań symbolicznych</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>za dużo otwartych plików</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>to nie jest zwykły plik</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>błąd systemu nr %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>nie można utworzyć pliku tymczasowego</source>
        <translation>cannot create the temporary file</translation>
    </message>
    <message>
        <source>nie można zmienić nazwy pliku tymczasowego</source>
        <translation>cannot rename the temporary file</translation>
    </message>
    <message>
        <source>nie można zapisać danych</source>
        <translation>cannot write the data</translation>
    </message>
    <message>
        <source>Połączono z OLA, uniwersum %1</source>
        <translation>Connected to OLA, universe %1</translation>
    </message>
    <message>
        <source>Brak połączenia z OLA</source>
        <translation>Not connected to OLA</translation>
    </message>
    <message>
        <source>Brak dostępu do portu %1. Dodaj użytkownika do grupy dialout i zaloguj się ponownie.</source>
        <translation>No access to the port %1. Add the user to the dialout group and log in again.</translation>
    </message>
    <message>
        <source>Zaznacz urządzenie, które ma tę funkcję</source>
        <translation>Select a fixture that has this function</translation>
    </message>
    <message>
        <source>Ostatnio zaznaczone urządzenie nie ma tej funkcji</source>
        <translation>The fixture selected last does not have this function</translation>
    </message>
    <message>
        <source>%1 (brak opisu kanału)</source>
        <translation>%1 (no channel description)</translation>
    </message>
    <message>
        <source>Kolor 2</source>
        <translation>Colour 2</translation>
    </message>
    <message>
        <source>Intensywność</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Kolor 1</source>
        <translation>Colour 1</translation>
    </message>
    <message>
        <source>Gobo 1</source>
        <translation>Gobo 1</translation>
    </message>
    <message>
        <source>Gobo 2</source>
        <translation>Gobo 2</translation>
    </message>
    <message>
        <source>Efekt 1</source>
        <translation>Effect 1</translation>
    </message>
    <message>
        <source>Efekt 2</source>
        <translation>Effect 2</translation>
    </message>
    <message>
        <source>Dimmery</source>
        <translation>Dimmers</translation>
    </message>
    <message>
        <source>Pan/Tilt: Kontroler 1</source>
        <translation>Pan/Tilt: Control 1</translation>
    </message>
    <message>
        <source>Pan/Tilt: Kontroler 2</source>
        <translation>Pan/Tilt: Control 2</translation>
    </message>
    <message>
        <source>Optyka %1</source>
        <translation>Optics %1</translation>
    </message>
    <message>
        <source>Tryb ma %1 kanałów, urządzenie może mieć najwyżej %2</source>
        <translation>The mode has %1 channels, a fixture can have at most %2</translation>
    </message>
    <message>
        <source>Żaden kanał trybu nie pasuje do funkcji urządzenia</source>
        <translation>No channel of the mode fits a function of the fixture</translation>
    </message>
    <message>
        <source>Zbyt duża liczba sekwencji</source>
        <translation>Too many sequences</translation>
    </message>
    <message>
        <source>Zbyt duża liczba CUE</source>
        <translation>Too many cues</translation>
    </message>
    <message>
        <source>BRAK PAMIĘCI</source>
        <translation>OUT OF MEMORY</translation>
    </message>
    <message>
        <source>Błąd odczytu z modułu DMX</source>
        <translation>Error reading from the DMX module</translation>
    </message>
    <message>
        <source>Stara wersja pliku</source>
        <translation>Old file version</translation>
    </message>
    <message>
        <source>to nie jest plik WAV</source>
        <translation>not a WAV file</translation>
    </message>
    <message>
        <source>dźwięk nie jest zapisany jako PCM</source>
        <translation>the sound is not stored as PCM</translation>
    </message>
    <message>
        <source>nieobsługiwany format WAV</source>
        <translation>unsupported WAV format</translation>
    </message>
    <message>
        <source>plik jest niepełny</source>
        <translation>the file is incomplete</translation>
    </message>
    <message>
        <source>błąd odczytu</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>nie ma takiego urządzenia</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>urządzenie jest zajęte</source>
        <translation>the device is busy</translation>
    </message>
    <message>
        <source>urządzenie nie nagrywa w żadnym z obsługiwanych formatów</source>
        <translation>the device records in none of the supported formats</translation>
    </message>
    <message>
        <source>błąd ALSA %1</source>
        <translation>ALSA error %1</translation>
    </message>
    <message>
        <source>Domyślne wejście systemu</source>
        <translation>System default input</translation>
    </message>
    <message>
        <source>Nie można otworzyć wejścia audio &quot;%1&quot;: %2</source>
        <translation>Cannot open the audio input &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <source>Nie można odtworzyć pliku %1: %2</source>
        <translation>Cannot play the file %1: %2</translation>
    </message>
    <message>
        <source>Wejście audio przestało odpowiadać.</source>
        <translation>The audio input stopped responding.</translation>
    </message>
    <message>
        <source>Plik odtworzony do końca.</source>
        <translation>The file has played to its end.</translation>
    </message>
</context>
<context>
    <name>KyColorMixerEdit</name>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
</context>
<context>
    <name>KyDimmerControl</name>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
</context>
<context>
    <name>KyDimmersEdit</name>
    <message>
        <source>Nieprawidłowa wartość DMX
Poprawne wartości : 0-255</source>
        <translation>Invalid DMX value
Valid values: 0-255</translation>
    </message>
    <message>
        <source>Nieprawidłowy numer kanału
Poprawne wartości : 1-32</source>
        <translation>Invalid channel number
Valid values: 1-32</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Bitmaps (*.bmp)</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Nieprawidłowy format pliku grafiki !!!</source>
        <translation>Invalid picture file format!</translation>
    </message>
</context>
<context>
    <name>RemotePage</name>
    <message>
        <source>Vantorel – zdalny pulpit</source>
        <translation>Vantorel – remote desk</translation>
    </message>
    <message>
        <source>Vantorel: brak modułu DMX</source>
        <translation>Vantorel: no DMX module</translation>
    </message>
    <message>
        <source>Łączenie…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Muzyka</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>◀ Poprzednie cue</source>
        <translation>◀ Previous cue</translation>
    </message>
    <message>
        <source>Następne cue ▶</source>
        <translation>Next cue ▶</translation>
    </message>
    <message>
        <source>Sekwencje</source>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ:  </source>
        <translation>SPEED:  </translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ CUE:  </source>
        <translation>CUE SPEED:  </translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ GENERATORÓW:  </source>
        <translation>GENERATOR SPEED:  </translation>
    </message>
    <message>
        <source>AMPLITUDA GENERATORÓW:  </source>
        <translation>GENERATOR AMPLITUDE:  </translation>
    </message>
    <message>
        <source>Brak połączenia z pulpitem – łączę ponownie…</source>
        <translation>No connection to the desk – reconnecting…</translation>
    </message>
    <message>
        <source>Strefa</source>
        <translation>Zone</translation>
    </message>
</context>
<context>
    <name>ShowFolder</name>
    <message>
        <source>Potwierdzenie</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Nie udało się skopiować pokazu przykładowego.
%1</source>
        <translation>Could not copy the demo show.
%1</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu danych %1.</source>
        <translation>Cannot create the data folder %1.</translation>
    </message>
    <message>
        <source>To pierwsze uruchomienie programu.
Pokaz będzie zapisywany w folderze
%1

Wczytać do niego pokaz przykładowy?</source>
        <translation>This is the first start of the program.
The show will be saved in the folder
%1

Load the demo show into it?</translation>
    </message>
</context>
<context>
    <name>TBeatSourceForm</name>
    <message>
        <source>Źródło rytmu</source>
        <translation>Beat source</translation>
    </message>
    <message>
        <source>Moduł DMX</source>
        <translation>DMX module</translation>
    </message>
    <message>
        <source>Wejście audio:</source>
        <translation>Audio input:</translation>
    </message>
    <message>
        <source>Tap</source>
        <translation>Tap</translation>
    </message>
    <message>
        <source>Poziom:</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>Tempo: %1</source>
        <translation>Tempo: %1</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>audio</translation>
    </message>
    <message>
        <source>tap</source>
        <translation>tap</translation>
    </message>
    <message>
        <source>moduł</source>
        <translation>module</translation>
    </message>
    <message>
        <source>%1 BPM (%2)</source>
        <translation>%1 BPM (%2)</translation>
    </message>
    <message>
        <source>Plik: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>TBlackoutForm</name>
    <message>
        <source>Wyłącz</source>
        <translation>Release</translation>
    </message>
    <message>
        <source>Blackout</source>
        <translation>Blackout</translation>
    </message>
    <message>
        <source>BLACKOUT</source>
        <translation>BLACKOUT</translation>
    </message>
</context>
<context>
    <name>TChValueForm</name>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>TChannelDlgForm</name>
    <message>
        <source>Kanał</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Numer kanału</source>
        <translation>Channel number</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TClubForm</name>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Urządzenie</source>
        <translation>Fixture</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>Pan-&gt;Tilt</source>
        <translation>Pan-&gt;Tilt</translation>
    </message>
    <message>
        <source>Strona</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Dodaj ...</source>
        <translation>Add ...</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Właściwości</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Konfiguracja DMX</source>
        <translation>DMX patch</translation>
    </message>
    <message>
        <source>Adres</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>Zainstalowane urządzenia</source>
        <translation>Patched fixtures</translation>
    </message>
    <message>
        <source>zmianę orientacji</source>
        <translation>orientation change</translation>
    </message>
    <message>
        <source>instalację urządzenia</source>
        <translation>fixture patch</translation>
    </message>
    <message>
        <source>usunięcie urządzenia</source>
        <translation>fixture removal</translation>
    </message>
    <message>
        <source>zmianę urządzenia</source>
        <translation>fixture change</translation>
    </message>
</context>
<context>
    <name>TControllersForm</name>
    <message>
        <source>Sterowniki</source>
        <translation>Controllers</translation>
    </message>
    <message>
        <source>OSC przez UDP, port:</source>
        <translation>OSC over UDP, port:</translation>
    </message>
    <message>
        <source>Wejście</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Akcja</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Ucz</source>
        <translation>Learn</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Eksportuj...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Importuj...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>Port MIDI „Vantorel” (%1): połącz z nim sterownik, np. programem aconnect.</source>
        <translation>MIDI port “Vantorel” (%1): connect a controller to it, e.g. with aconnect.</translation>
    </message>
    <message>
        <source>Brak sekwencera MIDI (%1): sterowniki MIDI są niedostępne.</source>
        <translation>No MIDI sequencer (%1): MIDI controllers are unavailable.</translation>
    </message>
    <message>
        <source>Kliknij element pulpitu i porusz elementem sterownika.</source>
        <translation>Click a desk control and move a control of the controller.</translation>
    </message>
    <message>
        <source>Eksportuj mapowania</source>
        <translation>Export mappings</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>Importuj mapowania</source>
        <translation>Import mappings</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1</source>
        <translation>Cannot read the file %1</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1</source>
        <translation>Cannot open the port %1</translation>
    </message>
</context>
<context>
    <name>TCueForm</name>
    <message>
        <source>Cue</source>
        <translation>Cue</translation>
    </message>
    <message>
        <source>Zapisz</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Zapisz Cue</source>
        <translation>Save cue</translation>
    </message>
    <message>
        <source>Zapisz jako</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Zapisz Cue jako...</source>
        <translation>Save cue as...</translation>
    </message>
    <message>
        <source>Nowe</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Nowe Cue</source>
        <translation>New cue</translation>
    </message>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Aktyw.</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Sekwencja</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>Fade</translation>
    </message>
    <message>
        <source>Prędkość</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Muz.</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Bity</source>
        <translation>Beats</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ CUE</source>
        <translation>CUE SPEED</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ GENERATORÓW</source>
        <translation>GENERATOR SPEED</translation>
    </message>
    <message>
        <source>AMPLITUDA GENERATORÓW</source>
        <translation>GENERATOR AMPLITUDE</translation>
    </message>
    <message>
        <source>CUE</source>
        <translation>CUE</translation>
    </message>
    <message>
        <source>Na pewno chcesz wykasowac CUE</source>
        <translation>Delete the cue</translation>
    </message>
    <message>
        <source>aktywność strefy</source>
        <translation>zone on/off</translation>
    </message>
    <message>
        <source>wybór sekwencji</source>
        <translation>sequence choice</translation>
    </message>
    <message>
        <source>usunięcie strefy</source>
        <translation>zone removal</translation>
    </message>
    <message>
        <source>muzykę strefy</source>
        <translation>zone music</translation>
    </message>
    <message>
        <source>bity strefy</source>
        <translation>zone beats</translation>
    </message>
    <message>
        <source>prędkość strefy</source>
        <translation>zone speed</translation>
    </message>
</context>
<context>
    <name>TCueListForm</name>
    <message>
        <source>Załaduj</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Dostępne Sekwencje</source>
        <translation>Available sequences</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Dostępne CUE</source>
        <translation>Available cues</translation>
    </message>
    <message>
        <source>CUE</source>
        <translation>CUE</translation>
    </message>
</context>
<context>
    <name>TDeviceForm</name>
    <message>
        <source>Kanał</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Aktywny</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Dodaj</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Ogólne</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Ikona</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>Zmień</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Światło</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Shutter</source>
        <translation>Shutter</translation>
    </message>
    <message>
        <source>Aktywna</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Intensywność</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Strobo</source>
        <translation>Strobe</translation>
    </message>
    <message>
        <source>Blackout</source>
        <translation>Blackout</translation>
    </message>
    <message>
        <source>Lamp ON</source>
        <translation>Lamp ON</translation>
    </message>
    <message>
        <source>Lamp OFF</source>
        <translation>Lamp OFF</translation>
    </message>
    <message>
        <source>Pan / Tilt</source>
        <translation>Pan / Tilt</translation>
    </message>
    <message>
        <source>Tryb :</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>8 bit</source>
        <translation>8 bit</translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation>16 bit</translation>
    </message>
    <message>
        <source>PAN   Kanał</source>
        <translation>PAN   Channel</translation>
    </message>
    <message>
        <source>TILT   Kanał</source>
        <translation>TILT   Channel</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>Kontroler 1 - Pan/Tilt</source>
        <translation>Controller 1 - Pan/Tilt</translation>
    </message>
    <message>
        <source>Kontroler 2 - Pan/Tilt</source>
        <translation>Controller 2 - Pan/Tilt</translation>
    </message>
    <message>
        <source>Kolor 2</source>
        <translation>Colour 2</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>CMY</source>
        <translation>CMY</translation>
    </message>
    <message>
        <source>Optyka</source>
        <translation>Optics</translation>
    </message>
    <message>
        <source>Optyka %1</source>
        <translation>Optics %1</translation>
    </message>
    <message>
        <source>Kontroler 1</source>
        <translation>Controller 1</translation>
    </message>
    <message>
        <source>Kontroler 2 </source>
        <translation>Controller 2 </translation>
    </message>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Dimmer&apos;y</source>
        <translation>Dimmers</translation>
    </message>
    <message>
        <source>Intens.</source>
        <translation>Intens.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kolor 1</source>
        <translation>Colour 1</translation>
    </message>
    <message>
        <source>Paleta Kolorów</source>
        <translation>Colour palette</translation>
    </message>
    <message>
        <source>Gobo 1</source>
        <translation>Gobo 1</translation>
    </message>
    <message>
        <source>Paleta Gobo</source>
        <translation>Gobo palette</translation>
    </message>
    <message>
        <source>Gobo 2</source>
        <translation>Gobo 2</translation>
    </message>
    <message>
        <source>Efekt 1 </source>
        <translation>Effect 1 </translation>
    </message>
    <message>
        <source>Paleta Efektów</source>
        <translation>Effect palette</translation>
    </message>
    <message>
        <source>Efekt 2</source>
        <translation>Effect 2</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Urządzenie jest puste !!!
nie zdefiniowano żadnej funkcji.</source>
        <translation>The fixture is empty!
No function is defined.</translation>
    </message>
    <message>
        <source>Pan/Tilt</source>
        <translation>Pan/Tilt</translation>
    </message>
    <message>
        <source>Efekt 1</source>
        <translation>Effect 1</translation>
    </message>
    <message>
        <source>Dimmery</source>
        <translation>Dimmers</translation>
    </message>
    <message>
        <source>zmianę: %1</source>
        <translation>change: %1</translation>
    </message>
</context>
<context>
    <name>TDimmerRowForm</name>
    <message>
        <source>Optyka</source>
        <translation>Optics</translation>
    </message>
    <message>
        <source>Dimmery</source>
        <translation>Dimmers</translation>
    </message>
</context>
<context>
    <name>TDirectAccessForm</name>
    <message>
        <source>PRĘDKOŚĆ:  </source>
        <translation>SPEED:  </translation>
    </message>
    <message>
        <source>Panel sterowania</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>CUE</source>
        <translation>CUE</translation>
    </message>
    <message>
        <source>Cue</source>
        <translation>Cue</translation>
    </message>
    <message>
        <source>Sekwencje</source>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>Cue ...</source>
        <translation>Cue ...</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Sekwencja ...</source>
        <translation>Sequence ...</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Muzyka</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>  Brak</source>
        <translation>  None</translation>
    </message>
    <message>
        <source>  1 bit</source>
        <translation>  1 beat</translation>
    </message>
    <message>
        <source>  2 bit</source>
        <translation>  2 beats</translation>
    </message>
    <message>
        <source>  4 bit</source>
        <translation>  4 beats</translation>
    </message>
    <message>
        <source>  8 bit</source>
        <translation>  8 beats</translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation>16 beats</translation>
    </message>
    <message>
        <source>Seq</source>
        <translation>Seq</translation>
    </message>
</context>
<context>
    <name>TDivideForm</name>
    <message>
        <source>Zastosuj</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Podziel efekt</source>
        <translation>Split effect</translation>
    </message>
    <message>
        <source>Opóźnienie globalne</source>
        <translation>Global delay</translation>
    </message>
    <message>
        <source>Podziel na urządzenia</source>
        <translation>Split across fixtures</translation>
    </message>
</context>
<context>
    <name>TDmxModuleForm</name>
    <message>
        <source>Brak.</source>
        <translation>None.</translation>
    </message>
    <message>
        <source>Programy sterownika DMX (*.sav)</source>
        <translation>DMX controller programs (*.sav)</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Komunikacja z RS-232 lub QN-8</source>
        <translation>Link over RS-232 or QN-8</translation>
    </message>
    <message>
        <source>Dostępne CUE</source>
        <translation>Available cues</translation>
    </message>
    <message>
        <source>Wybrane CUE</source>
        <translation>Chosen cues</translation>
    </message>
    <message>
        <source>Cue</source>
        <translation>Cue</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>W górę</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>W dół</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Panel</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Odczyt</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Programowanie</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Programowanie z pliku</source>
        <translation>Program from file</translation>
    </message>
    <message>
        <source>Moduł DMX</source>
        <translation>DMX module</translation>
    </message>
    <message>
        <source>Numer Ser.:</source>
        <translation>Serial No.:</translation>
    </message>
    <message>
        <source>Wersja:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Generacja:</source>
        <translation>Generation:</translation>
    </message>
    <message>
        <source> Identyfikator:</source>
        <translation> Identifier:</translation>
    </message>
    <message>
        <source>Odczyt zakończony: odczytano %1.</source>
        <translation>Read finished: read %1.</translation>
    </message>
    <message>
        <source>Programowanie zakończone: zapisano %1.</source>
        <translation>Programming finished: wrote %1.</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Programowanie z pliku zakończone: zapisano %1.</source>
        <translation>Programming from file finished: wrote %1.</translation>
    </message>
    <message>
        <source>Strefa „%1”: lista mieści %2, pominięto %3.</source>
        <translation>Zone “%1”: the list holds %2, left out %3.</translation>
    </message>
    <message>
        <source>%1 blok</source>
        <translation>%1 block</translation>
    </message>
    <message>
        <source>%1 bloki</source>
        <translation>%1 blocks</translation>
    </message>
    <message>
        <source>%1 bloków</source>
        <translation>%1 blocks</translation>
    </message>
    <message>
        <source>%1 sekwencję</source>
        <translation>%1 sequence</translation>
    </message>
    <message>
        <source>%1 sekwencje</source>
        <translation>%1 sequences</translation>
    </message>
    <message>
        <source>%1 sekwencji</source>
        <translation>%1 sequences</translation>
    </message>
    <message>
        <source>%1 (założona)</source>
        <translation>%1 (assumed)</translation>
    </message>
    <message>
        <source>Numer seryjny nie podaje generacji modułu; przyjęto układ pamięci obecnych modułów.</source>
        <translation>The serial number does not give the module&apos;s generation; the memory layout of current modules is assumed.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1</source>
        <translation>Cannot read the file %1</translation>
    </message>
</context>
<context>
    <name>TDmxSpaceForm</name>
    <message>
        <source>Przestrzeń DMX</source>
        <translation>DMX universe</translation>
    </message>
</context>
<context>
    <name>TDmxTrackerForm</name>
    <message>
        <source>&amp;Wyczyść</source>
        <translation>&amp;Clear</translation>
    </message>
</context>
<context>
    <name>TFixtureImportForm</name>
    <message>
        <source>Kanały: %1</source>
        <translation>Channels: %1</translation>
    </message>
    <message>
        <source>Importuj</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Z pliku...</source>
        <translation>From file...</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Import urządzeń</source>
        <translation>Fixture import</translation>
    </message>
    <message>
        <source>producent lub model</source>
        <translation>manufacturer or model</translation>
    </message>
    <message>
        <source>Szukaj:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>Tryby</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>Podgląd</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>%1 (%2 kan.)</source>
        <translation>%1 (%2 ch.)</translation>
    </message>
    <message>
        <source>Definicje urządzeń (*.qxf)</source>
        <translation>Fixture definitions (*.qxf)</translation>
    </message>
    <message>
        <source>Brak biblioteki definicji urządzeń w %1.
Zainstaluj ją poleceniem: apt install qlcplus-data
albo wybierz plik przyciskiem &quot;Z pliku...&quot;.</source>
        <translation>No library of fixture definitions in %1.
Install it with: apt install qlcplus-data
or pick a file with &quot;From file...&quot;.</translation>
    </message>
    <message>
        <source>Nie można zaimportować: %1</source>
        <translation>Cannot import: %1</translation>
    </message>
    <message>
        <source>Nazwa: %1</source>
        <translation>Name: %1</translation>
    </message>
    <message>
        <source>Nie zaimportowano:
%1</source>
        <translation>Not imported:
%1</translation>
    </message>
    <message>
        <source>Pominięto: %1</source>
        <translation>Left out: %1</translation>
    </message>
</context>
<context>
    <name>TFloorsForm</name>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Liczba urądz.</source>
        <translation>Fixtures</translation>
    </message>
    <message>
        <source>Dodaj</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Strony</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Nie można skasować strony, na której 
zainstalowane są urządzenia.
</source>
        <translation>A page with fixtures patched on it
cannot be deleted.
</translation>
    </message>
    <message>
        <source>Nowa Strona %1</source>
        <translation>New Page %1</translation>
    </message>
</context>
<context>
    <name>TGenListForm</name>
    <message>
        <source>generator (*.vtg)</source>
        <translation>generator (*.vtg)</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>&amp;Zmień nazwę</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Za&amp;ładuj</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>Lista gen.</source>
        <translation>Generators</translation>
    </message>
    <message>
        <source>Importuj generator</source>
        <translation>Import generator</translation>
    </message>
    <message>
        <source>Exportuj generator</source>
        <translation>Export generator</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Na pewno chcesz wykasowac generator</source>
        <translation>Delete the generator</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>TGeneratorForm</name>
    <message>
        <source>Generator</source>
        <translation>Generator</translation>
    </message>
    <message>
        <source>Zapisz generator</source>
        <translation>Save generator</translation>
    </message>
    <message>
        <source>Generatory</source>
        <translation>Generators</translation>
    </message>
    <message>
        <source>Wybierz generator</source>
        <translation>Choose generator</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>AMPLITUDA</source>
        <translation>AMPLITUDE</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>FAZA</source>
        <translation>PHASE</translation>
    </message>
</context>
<context>
    <name>TLampForm</name>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Lampa</source>
        <translation>Lamp</translation>
    </message>
</context>
<context>
    <name>TLibraryForm</name>
    <message>
        <source>urządzenie DMX (*.dev)</source>
        <translation>DMX fixture (*.dev)</translation>
    </message>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nowe</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Nowe z ...</source>
        <translation>New from ...</translation>
    </message>
    <message>
        <source>Właściwości</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Importuj</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Eksportuj</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Import urządzeń</source>
        <translation>Fixture import</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Biblioteka urządzeń</source>
        <translation>Fixture library</translation>
    </message>
    <message>
        <source>Dostępne urządzenia</source>
        <translation>Available fixtures</translation>
    </message>
    <message>
        <source>Opis urządzenia</source>
        <translation>Fixture description</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Potwierdzenie</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Urządzenie będzie bezpowrotnie utracone
Czy kontynuować ?</source>
        <translation>The fixture will be lost for good.
Continue?</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>dodanie typu urządzenia</source>
        <translation>fixture type addition</translation>
    </message>
    <message>
        <source>zmianę typu urządzenia</source>
        <translation>fixture type change</translation>
    </message>
    <message>
        <source>usunięcie typu urządzenia</source>
        <translation>fixture type removal</translation>
    </message>
    <message>
        <source>import urządzeń</source>
        <translation>fixture import</translation>
    </message>
    <message>
        <source>Nie można skasować urządzenia zainstalowanego w klubie !!!
Aby usunać urządzenie z biblioteki usuń wszystkie urządzenia 
tego typu z konfiguracji klubu.</source>
        <translation>A fixture type that is patched cannot be deleted!
To delete it from the library, remove every fixture
of this type from the patch.</translation>
    </message>
    <message>
        <source>Niedozwolona nazawa urządzenia !!!
Nazwa urządzenia nie może zawierać
znaków takich jak : /, \, !, $ itp.</source>
        <translation>Invalid fixture name!
A fixture name cannot contain
characters such as: /, \, !, $ etc.</translation>
    </message>
    <message>
        <source>Nowe urządzenie</source>
        <translation>New fixture</translation>
    </message>
</context>
<context>
    <name>TLightForm</name>
    <message>
        <source>Shutter</source>
        <translation>Shutter</translation>
    </message>
    <message>
        <source>Intens.</source>
        <translation>Intens.</translation>
    </message>
    <message>
        <source>Strobo</source>
        <translation>Strobe</translation>
    </message>
    <message>
        <source>Światło</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Potwierdzenie</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Zamknąć program?</source>
        <translation>Exit the program?</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Język zostanie zmieniony przy następnym uruchomieniu programu.</source>
        <translation>The language changes at the next start of the program.</translation>
    </message>
    <message>
        <source>&amp;Biblioteka urządzeń</source>
        <translation>&amp;Fixture library</translation>
    </message>
    <message>
        <source>&amp;Konfiguracja DMX</source>
        <translation>&amp;DMX patch</translation>
    </message>
    <message>
        <source>Ruch ikon</source>
        <translation>Move icons</translation>
    </message>
    <message>
        <source>&amp;Strony</source>
        <translation>&amp;Pages</translation>
    </message>
    <message>
        <source>Strony</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Przestrzeń DMX</source>
        <translation>DMX universe</translation>
    </message>
    <message>
        <source>Moduł Dmx</source>
        <translation>DMX module</translation>
    </message>
    <message>
        <source>Wyjście OLA</source>
        <translation>OLA output</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Blackout</source>
        <translation>Blackout</translation>
    </message>
    <message>
        <source>&amp;Sekwencje</source>
        <translation>&amp;Sequences</translation>
    </message>
    <message>
        <source>Sekwencje</source>
        <translation>Sequences</translation>
    </message>
    <message>
        <source>&amp;Cue</source>
        <translation>&amp;Cue</translation>
    </message>
    <message>
        <source>Cue</source>
        <translation>Cue</translation>
    </message>
    <message>
        <source>Panel sterowania</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Manual OFF</source>
        <translation>Manual OFF</translation>
    </message>
    <message>
        <source>Manual Off</source>
        <translation>Manual Off</translation>
    </message>
    <message>
        <source>Muzyka</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Muzyka/Zegar</source>
        <translation>Music/Clock</translation>
    </message>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Źródło rytmu</source>
        <translation>Beat source</translation>
    </message>
    <message>
        <source>Tap</source>
        <translation>Tap</translation>
    </message>
    <message>
        <source>Tap (T)</source>
        <translation>Tap (T)</translation>
    </message>
    <message>
        <source>Start generatorów</source>
        <translation>Start generators</translation>
    </message>
    <message>
        <source>Pauza generatorów</source>
        <translation>Pause generators</translation>
    </message>
    <message>
        <source>Stop generatorów</source>
        <translation>Stop generators</translation>
    </message>
    <message>
        <source>Przywróć układ</source>
        <translation>Restore layout</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>&amp;Funkcje</source>
        <translation>&amp;Functions</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>&amp;Widok</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Vantorel
Sterownik oświetlenia DMX dla klubów i małych scen.</source>
        <translation>Vantorel
A DMX lighting controller for clubs and small stages.</translation>
    </message>
    <message>
        <source>Funkcje</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>DMX Tracker</source>
        <translation>DMX Tracker</translation>
    </message>
    <message>
        <source>Kanały trzymane ręcznie</source>
        <translation>Channels held by hand</translation>
    </message>
    <message>
        <source>Generatory</source>
        <translation>Generators</translation>
    </message>
    <message>
        <source>Ręcznie: %1</source>
        <translation>Manual: %1</translation>
    </message>
    <message>
        <source>Manual Off
Kanały trzymane ręcznie: %1</source>
        <translation>Manual Off
Channels held by hand: %1</translation>
    </message>
    <message>
        <source>Podgląd</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Światło</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Lampa</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>Pan Tilt</source>
        <translation>Pan Tilt</translation>
    </message>
    <message>
        <source>Kolor</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Mixer kolorów</source>
        <translation>Colour mixer</translation>
    </message>
    <message>
        <source>RGB/CMY</source>
        <translation>RGB/CMY</translation>
    </message>
    <message>
        <source>Gobo</source>
        <translation>Gobo</translation>
    </message>
    <message>
        <source>Efekt</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Optyka</source>
        <translation>Optics</translation>
    </message>
    <message>
        <source>Dimmery</source>
        <translation>Dimmers</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ CUE:  </source>
        <translation>CUE SPEED:  </translation>
    </message>
    <message>
        <source>AMPLITUDA GENERATORÓW:  </source>
        <translation>GENERATOR AMPLITUDE:  </translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ GENERATORÓW:  </source>
        <translation>GENERATOR SPEED:  </translation>
    </message>
    <message>
        <source>Niedostępne, gdy otwarty jest edytor sekwencji</source>
        <translation>Not available while the sequence editor is open</translation>
    </message>
    <message>
        <source>zmianę stron</source>
        <translation>page change</translation>
    </message>
    <message>
        <source>Cofnij</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ponów</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>&amp;Edycja</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>przesunięcie ikony</source>
        <translation>icon move</translation>
    </message>
</context>
<context>
    <name>TMixerColorForm</name>
    <message>
        <source>Wybierz kolor</source>
        <translation>Choose colour</translation>
    </message>
    <message>
        <source>Mixer kolorów</source>
        <translation>Colour mixer</translation>
    </message>
</context>
<context>
    <name>TModuleForm</name>
    <message>
        <source>Wybór modułu DMX</source>
        <translation>DMX module choice</translation>
    </message>
    <message>
        <source>Wybierz moduł DMX</source>
        <translation>Choose the DMX module</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>BRAK MODUŁU DMX</source>
        <translation>NO DMX MODULE</translation>
    </message>
</context>
<context>
    <name>TNameForm</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Podaj nazwę</source>
        <translation>Enter a name</translation>
    </message>
    <message>
        <source>Nazwa:</source>
        <translation>Name:</translation>
    </message>
</context>
<context>
    <name>TNewDeviceForm</name>
    <message>
        <source>Lp.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Zainstaluj nowe urządzenie</source>
        <translation>Patch a new fixture</translation>
    </message>
    <message>
        <source>Dostępne urządzenia</source>
        <translation>Available fixtures</translation>
    </message>
    <message>
        <source>Opis urządzenia</source>
        <translation>Fixture description</translation>
    </message>
    <message>
        <source>Adres startowy</source>
        <translation>Start address</translation>
    </message>
    <message>
        <source>Adres końcowy</source>
        <translation>End address</translation>
    </message>
    <message>
        <source>Zajętych kanalow :</source>
        <translation>Channels used:</translation>
    </message>
    <message>
        <source>Strona</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Urządzenie : %1</source>
        <translation>Fixture: %1</translation>
    </message>
</context>
<context>
    <name>TOlaForm</name>
    <message>
        <source>Wysyłaj uniwersum do OLA</source>
        <translation>Send the universe to OLA</translation>
    </message>
    <message>
        <source>Wyjście OLA</source>
        <translation>OLA output</translation>
    </message>
    <message>
        <source>Połączono z OLA, uniwersum 65535</source>
        <translation>Connected to OLA, universe 65535</translation>
    </message>
    <message>
        <source>Uniwersum OLA:</source>
        <translation>OLA universe:</translation>
    </message>
    <message>
        <source>Port demona OLA:</source>
        <translation>OLA daemon port:</translation>
    </message>
</context>
<context>
    <name>TPStoredList</name>
    <message>
        <source>Zmień nazwę</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ostrzeżenie</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>TPanTiltForm</name>
    <message>
        <source>Pan Tilt</source>
        <translation>Pan Tilt</translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation>16 bit</translation>
    </message>
    <message>
        <source>8 bit</source>
        <translation>8 bit</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Generator</source>
        <translation>Generator</translation>
    </message>
    <message>
        <source>Ładuj Generator</source>
        <translation>Load generator</translation>
    </message>
    <message>
        <source>Podziel efekt</source>
        <translation>Split effect</translation>
    </message>
    <message>
        <source>Właściwości</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>AMPLITUDA</source>
        <translation>AMPLITUDE</translation>
    </message>
    <message>
        <source>PRĘDKOŚĆ</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>FAZA</source>
        <translation>PHASE</translation>
    </message>
</context>
<context>
    <name>TRemoteForm</name>
    <message>
        <source>Zdalny pulpit włączony</source>
        <translation>Web remote on</translation>
    </message>
    <message>
        <source>Nowy kod</source>
        <translation>New code</translation>
    </message>
    <message>
        <source>Zdalny pulpit</source>
        <translation>Web remote</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Kod dostępu:</source>
        <translation>Access code:</translation>
    </message>
    <message>
        <source>Adresy:</source>
        <translation>Addresses:</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1: %2</source>
        <translation>Cannot open port %1: %2</translation>
    </message>
    <message>
        <source>(wyłączony)</source>
        <translation>(off)</translation>
    </message>
    <message>
        <source>Połączone urządzenia: %1</source>
        <translation>Connected devices: %1</translation>
    </message>
</context>
<context>
    <name>TRemoteServer</name>
    <message>
        <source>Brak dostępu: zły kod.
</source>
        <translation>No access: wrong code.
</translation>
    </message>
</context>
<context>
    <name>TScenePropForm</name>
    <message>
        <source>Kanał</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>&amp;Koniec</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Właściwości sceny</source>
        <translation>Scene properties</translation>
    </message>
</context>
<context>
    <name>TSequenceForm</name>
    <message>
        <source>Sekwencja</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>Nowa sekwencja</source>
        <translation>New sequence</translation>
    </message>
    <message>
        <source>Zapisz sekwencję</source>
        <translation>Save sequence</translation>
    </message>
    <message>
        <source>Zapisz sekwencję jako...</source>
        <translation>Save sequence as...</translation>
    </message>
    <message>
        <source>Płynna zmiana</source>
        <translation>Crossfade</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Sceny</source>
        <translation>Scenes</translation>
    </message>
    <message>
        <source>Dwukrotne kliknięcie pokazuje kanały sceny</source>
        <translation>Double-click shows the scene&apos;s channels</translation>
    </message>
    <message>
        <source>Dodaj</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>0.1 sek</source>
        <translation>0.1 s</translation>
    </message>
    <message>
        <source>Czas globalny</source>
        <translation>Global time</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Na pewno chcesz wykasowac sekwencje</source>
        <translation>Delete the sequence</translation>
    </message>
    <message>
        <source>nagranie</source>
        <translation>recording</translation>
    </message>
    <message>
        <source>płynną zmianę</source>
        <translation>crossfade</translation>
    </message>
    <message>
        <source>dodanie sceny</source>
        <translation>scene addition</translation>
    </message>
    <message>
        <source>usunięcie sceny</source>
        <translation>scene removal</translation>
    </message>
    <message>
        <source>czas globalny</source>
        <translation>global time</translation>
    </message>
    <message>
        <source>czas sceny</source>
        <translation>scene time</translation>
    </message>
    <message>
        <source>wczytanie sekwencji</source>
        <translation>sequence load</translation>
    </message>
    <message>
        <source>nową sekwencję</source>
        <translation>new sequence</translation>
    </message>
</context>
<context>
    <name>TWheelForm</name>
    <message>
        <source>Kolor</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Gobo</source>
        <translation>Gobo</translation>
    </message>
    <message>
        <source>Efekt</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Gobo1</source>
        <translation>Gobo 1</translation>
    </message>
    <message>
        <source>Gobo 2</source>
        <translation>Gobo 2</translation>
    </message>
    <message>
        <source>Efekt 1</source>
        <translation>Effect 1</translation>
    </message>
    <message>
        <source>Efekt 2</source>
        <translation>Effect 2</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>Cofnij</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ponów</source>
        <translation>Redo</translation>
    </message>
</context>
</TS>
