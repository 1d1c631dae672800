<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Record log lines at &lt;level&gt; and above for this run (debug, info, warning, error).</source>
        <translation>Protokollzeilen ab &lt;Stufe&gt; für diesen Lauf aufzeichnen (debug, info, warning, error).</translation>
    </message>
    <message>
        <source>level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Use the layout &lt;name&gt; (or with that id) on the display under the pointer, or on the one --display names, as a choice in the tray menu does.</source>
        <translation>Das Layout &lt;Name&gt; (oder das mit dieser ID) auf dem Bildschirm unter dem Mauszeiger verwenden, oder auf dem, den --display nennt, wie eine Auswahl im Menü des Systemabschnitts.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Print the displays and the layouts, one per line.</source>
        <translation>Die Bildschirme und Layouts ausgeben, eines pro Zeile.</translation>
    </message>
    <message>
        <source>Open the preferences window.</source>
        <translation>Das Einstellungsfenster öffnen.</translation>
    </message>
    <message>
        <source>Open the layout editor.</source>
        <translation>Den Layout-Editor öffnen.</translation>
    </message>
    <message>
        <source>Snaps windows into zones: hold Shift while dragging a window, release over a zone.
In KDE Plasma&apos;s Wayland session no held key is read: press Super+Shift+Z while
dragging a window (Super+Shift+X to span zones), or show the zones during every
move in the preferences.</source>
        <translation>Lässt Fenster in Zonen einrasten: Halten Sie beim Ziehen eines Fensters die
Umschalttaste gedrückt und lassen Sie es über einer Zone los. In der
Wayland-Sitzung von KDE Plasma wird keine gehaltene Taste gelesen: Drücken Sie
beim Ziehen Super+Umschalt+Z (Super+Umschalt+X, um über mehrere Zonen zu
spannen), oder lassen Sie die Zonen in den Einstellungen bei jedem Verschieben
anzeigen.</translation>
    </message>
    <message>
        <source>unknown log level &apos;%1&apos;</source>
        <translation>unbekannte Protokollstufe „%1“</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no display number</source>
        <translation>„%1“ ist keine Bildschirmnummer</translation>
    </message>
    <message>
        <source>With --apply-layout: the virtual desktop&apos;s number (1 is the first), when each desktop has layouts of its own; by default the desktop shown.</source>
        <translation>Mit --apply-layout: die Nummer der virtuellen Arbeitsfläche (1 ist die erste), wenn jede Arbeitsfläche eigene Layouts hat; ohne Angabe die angezeigte Arbeitsfläche.</translation>
    </message>
    <message>
        <source>--desktop goes with --apply-layout</source>
        <translation>--desktop gehört zu --apply-layout</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no desktop number</source>
        <translation>„%1“ ist keine Nummer einer Arbeitsfläche</translation>
    </message>
    <message>
        <source>Move the active window to zone &lt;zone&gt; (1 to 9) of its display, or to the next or previous zone, or the zone above or below (up, down), as the keyboard shortcuts do.</source>
        <translation>Das aktive Fenster in Zone &lt;zone&gt; (1 bis 9) seines Bildschirms verschieben, in die nächste oder vorige Zone oder in die Zone darüber oder darunter (up, down), wie es die Tastaturkurzbefehle tun.</translation>
    </message>
    <message>
        <source>Move every window of the display under the pointer, or of the one --display names, to the zone nearest it.</source>
        <translation>Jedes Fenster des Bildschirms unter dem Mauszeiger, oder des mit --display genannten, in die Zone verschieben, die ihm am nächsten ist.</translation>
    </message>
    <message>
        <source>With --apply-layout or --snap-all: the display&apos;s number, as the tray menu shows it.</source>
        <translation>Mit --apply-layout oder --snap-all: die Nummer des Bildschirms, wie das Menü sie zeigt.</translation>
    </message>
    <message>
        <source>give one of --snap-active, --snap-all, --apply-layout, --list, --preferences, --layout-editor</source>
        <translation>geben Sie nur eines von --snap-active, --snap-all, --apply-layout, --list, --preferences, --layout-editor an</translation>
    </message>
    <message>
        <source>--display goes with --apply-layout or --snap-all</source>
        <translation>--display gehört zu --apply-layout oder --snap-all</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no zone: give 1 to 9, next, previous, up or down</source>
        <translation>„%1“ ist keine Zone: geben Sie 1 bis 9, next, previous, up oder down an</translation>
    </message>
</context>
<context>
    <name>FeedbackType</name>
    <message>
        <source>Bug Report</source>
        <translation>Fehlerbericht</translation>
    </message>
    <message>
        <source>Feature Suggestion</source>
        <translation>Funktionsvorschlag</translation>
    </message>
    <message>
        <source>Improvement</source>
        <translation>Verbesserung</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Report a bug or issue you&apos;ve encountered</source>
        <translation>Einen Fehler oder ein Problem melden, auf das Sie gestoßen sind</translation>
    </message>
    <message>
        <source>Suggest a new feature or enhancement</source>
        <translation>Eine neue Funktion oder Erweiterung vorschlagen</translation>
    </message>
    <message>
        <source>Suggest improvements to existing features</source>
        <translation>Verbesserungen an vorhandenen Funktionen vorschlagen</translation>
    </message>
    <message>
        <source>General feedback or questions</source>
        <translation>Allgemeine Rückmeldungen oder Fragen</translation>
    </message>
    <message>
        <source>Describe your bug report here…</source>
        <translation>Beschreiben Sie den Fehler hier …</translation>
    </message>
    <message>
        <source>Describe your feature suggestion here…</source>
        <translation>Beschreiben Sie Ihren Funktionsvorschlag hier …</translation>
    </message>
    <message>
        <source>Describe your improvement here…</source>
        <translation>Beschreiben Sie Ihre Verbesserung hier …</translation>
    </message>
    <message>
        <source>Describe your other here…</source>
        <translation>Beschreiben Sie Ihr Anliegen hier …</translation>
    </message>
</context>
<context>
    <name>GnomeExtension</name>
    <message>
        <source>GNOME Shell does not answer about its extensions.</source>
        <translation>GNOME Shell gibt keine Auskunft über seine Erweiterungen.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension is installed in %1, but GNOME Shell started before it was.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane ist in %1 installiert, aber GNOME Shell wurde vor ihr gestartet.</translation>
    </message>
    <message>
        <source>Corvane could not install its GNOME Shell extension in %1.</source>
        <translation>Corvane konnte seine GNOME-Shell-Erweiterung nicht in %1 installieren.</translation>
    </message>
    <message>
        <source>Corvane has installed its GNOME Shell extension in %1; GNOME Shell loads a new extension only at login.</source>
        <translation>Corvane hat seine GNOME-Shell-Erweiterung in %1 installiert; GNOME Shell lädt eine neue Erweiterung erst bei der Anmeldung.</translation>
    </message>
    <message>
        <source>Corvane&apos;s GNOME Shell extension runs.</source>
        <translation>Die GNOME-Shell-Erweiterung von Corvane läuft.</translation>
    </message>
    <message>
        <source>GNOME Shell could not run Corvane&apos;s extension: %1</source>
        <translation>GNOME Shell konnte die Erweiterung von Corvane nicht ausführen: %1</translation>
    </message>
    <message>
        <source>The installed Corvane extension (%1) does not support this version of GNOME Shell; Corvane has installed one that does in %2.</source>
        <translation>Die installierte Corvane-Erweiterung (%1) unterstützt diese Version von GNOME Shell nicht; Corvane hat in %2 eine passende installiert.</translation>
    </message>
    <message>
        <source>The installed Corvane extension (%1) does not support this version of GNOME Shell.</source>
        <translation>Die installierte Corvane-Erweiterung (%1) unterstützt diese Version von GNOME Shell nicht.</translation>
    </message>
    <message>
        <source>GNOME Shell did not enable Corvane&apos;s extension; extensions may be turned off.</source>
        <translation>GNOME Shell hat die Erweiterung von Corvane nicht eingeschaltet; vielleicht sind Erweiterungen ausgeschaltet.</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
</context>
<context>
    <name>Layouts</name>
    <message>
        <source>No Layout</source>
        <translation>Kein Layout</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Halves</source>
        <translation>Hälften</translation>
    </message>
    <message>
        <source>Thirds</source>
        <translation>Drittel</translation>
    </message>
    <message>
        <source>Tall</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Breit</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Main and Side</source>
        <translation>Haupt- und Nebenbereich</translation>
    </message>
    <message>
        <source>Center Focus</source>
        <translation>Fokus in der Mitte</translation>
    </message>
    <message>
        <source>Six Grid</source>
        <translation>Sechserraster</translation>
    </message>
</context>
<context>
    <name>PlatformWording</name>
    <message>
        <source>Automatically start Corvane when you log in</source>
        <translation>Corvane bei der Anmeldung automatisch starten</translation>
    </message>
    <message>
        <source>Helps us debug issues (OS version, app version, screen configuration)</source>
        <translation>Hilft uns bei der Fehlersuche (Version des Betriebssystems, Programmversion, Bildschirmanordnung)</translation>
    </message>
    <message>
        <source>Windows of these applications never show the zones and are never snapped. An application is named by its window class, either of the two names xprop WM_CLASS shows</source>
        <translation>Fenster dieser Anwendungen zeigen nie die Zonen und rasten nie ein. Eine Anwendung wird über ihre Fensterklasse benannt, einen der beiden Namen, die xprop WM_CLASS zeigt</translation>
    </message>
    <message>
        <source>Some key combinations are reserved by the desktop or other applications; a field marks a combination that is taken.</source>
        <translation>Manche Tastenkombinationen sind von der Arbeitsfläche oder anderen Anwendungen belegt; ein Feld kennzeichnet eine belegte Kombination.</translation>
    </message>
    <message>
        <source>Only X11 windows can be snapped in a Wayland session</source>
        <translation>In einer Wayland-Sitzung können nur X11-Fenster einrasten</translation>
    </message>
</context>
<context>
    <name>PreferencesTab</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Kurzbefehle</translation>
    </message>
    <message>
        <source>Layout Editor</source>
        <translation>Layout-Editor</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Rückmeldung</translation>
    </message>
</context>
<context>
    <name>QtPlatformPlugin</name>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; cannot be loaded: %2</source>
        <translation>Das Plattformmodul „%1“ von Qt kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed</source>
        <translation>Das Plattformmodul „%1“ von Qt ist nicht installiert</translation>
    </message>
</context>
<context>
    <name>ScriptingCommands</name>
    <message>
        <source>The %1 given is %2 characters long; at most %3 are read</source>
        <translation>Die Angabe für „%1“ ist %2 Zeichen lang; höchstens %3 werden gelesen</translation>
    </message>
    <message>
        <source>zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>layout name</source>
        <translation>Layoutname</translation>
    </message>
    <message>
        <source>There is no display %1 (displays: 1 to %2)</source>
        <translation>Es gibt keinen Bildschirm %1 (Bildschirme: 1 bis %2)</translation>
    </message>
    <message>
        <source>The pointer is on no display: name one with --display</source>
        <translation>Der Mauszeiger ist auf keinem Bildschirm: Nennen Sie einen mit --display</translation>
    </message>
    <message>
        <source>Display %1 (%2) keeps its layout: the choice of %3 could not be saved to %4 (%5)</source>
        <translation>Bildschirm %1 (%2) behält sein Layout: Die Wahl von %3 konnte nicht in %4 gespeichert werden (%5)</translation>
    </message>
    <message>
        <source>Display %1 (%2) uses %3</source>
        <translation>Bildschirm %1 (%2) verwendet %3</translation>
    </message>
    <message>
        <source>There is no layout named &apos;%1&apos; (corvane --list shows them)</source>
        <translation>Es gibt kein Layout namens „%1“ (corvane --list zeigt sie)</translation>
    </message>
    <message numerus="yes">
        <source>%n layouts are named &apos;%1&apos;: give one by its id (%2)</source>
        <translation>
            <numerusform>%n Layout heißt „%1“: Geben Sie eines über seine ID an (%2)</numerusform>
            <numerusform>%n Layouts heißen „%1“: Geben Sie eines über seine ID an (%2)</numerusform>
        </translation>
    </message>
    <message>
        <source>Layouts per virtual desktop are off: turn them on in Preferences → General to give --desktop</source>
        <translation>Layouts pro virtueller Arbeitsfläche sind ausgeschaltet: Schalten Sie sie unter Einstellungen → Allgemein ein, um --desktop anzugeben</translation>
    </message>
    <message>
        <source>The window manager names no virtual desktops: leave out --desktop</source>
        <translation>Die Fensterverwaltung nennt keine virtuellen Arbeitsflächen: Lassen Sie --desktop weg</translation>
    </message>
    <message>
        <source>There is no desktop %1 (desktops: 1 to %2)</source>
        <translation>Es gibt keine Arbeitsfläche %1 (Arbeitsflächen: 1 bis %2)</translation>
    </message>
    <message>
        <source>%1 on desktop %2</source>
        <translation>%1 auf Arbeitsfläche %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no zone: give 1 to 9, next, previous, up or down</source>
        <translation>„%1“ ist keine Zone: geben Sie 1 bis 9, next, previous, up oder down an</translation>
    </message>
    <message>
        <source>Corvane is still starting</source>
        <translation>Corvane startet noch</translation>
    </message>
    <message>
        <source>Snapped %1 windows on display %2; %3 could not be moved</source>
        <translation>%1 Fenster auf Bildschirm %2 eingerastet; %3 ließen sich nicht verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Snapped %n windows on display %1</source>
        <translation>
            <numerusform>%n Fenster auf Bildschirm %1 eingerastet</numerusform>
            <numerusform>%n Fenster auf Bildschirm %1 eingerastet</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>the folder %1 is read-only</source>
        <translation>der Ordner %1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>der Ordner %1 kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the disk holding %1 is read-only</source>
        <translation>das Laufwerk mit %1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the disk holding %1 is full</source>
        <translation>das Laufwerk mit %1 ist voll</translation>
    </message>
    <message>
        <source>the system refused to write %1</source>
        <translation>das System hat das Schreiben von %1 verweigert</translation>
    </message>
</context>
<context>
    <name>Shortcut</name>
    <message>
        <source>Key %1</source>
        <translation>Taste %1</translation>
    </message>
</context>
<context>
    <name>VirtualDesktop</name>
    <message>
        <source>Desktop %1</source>
        <translation>Arbeitsfläche %1</translation>
    </message>
</context>
<context>
    <name>WindowManagerAdvice</name>
    <message>
        <source>%1 does not move a maximized window: restore it first (double-click its title bar), then drag it to a zone.</source>
        <translation>%1 verschiebt keine maximierten Fenster: Stellen Sie das Fenster zuerst wieder her (Doppelklick auf die Titelleiste) und ziehen Sie es dann in eine Zone.</translation>
    </message>
    <message>
        <source>Window manager: not announced</source>
        <translation>Fensterverwaltung: nicht bekannt gegeben</translation>
    </message>
    <message>
        <source>Hold %1 and drag a window by its title bar. If the window does not move while %1 is held, choose the key your window manager moves windows with.</source>
        <translation>Halten Sie %1 gedrückt und ziehen Sie ein Fenster an seiner Titelleiste. Bewegt sich das Fenster nicht, solange %1 gedrückt ist, wählen Sie die Taste, mit der Ihre Fensterverwaltung Fenster verschiebt.</translation>
    </message>
    <message>
        <source>Window manager: %1</source>
        <translation>Fensterverwaltung: %1</translation>
    </message>
    <message>
        <source>Hold %1 and drag a window by its title bar. If the window does not move while %1 is held, choose the key %2 moves windows with.</source>
        <translation>Halten Sie %1 gedrückt und ziehen Sie ein Fenster an seiner Titelleiste. Bewegt sich das Fenster nicht, solange %1 gedrückt ist, wählen Sie die Taste, mit der %2 Fenster verschiebt.</translation>
    </message>
    <message>
        <source>%1 moves a window dragged anywhere with %2 held: hold %2, drag a window and release it over a zone.</source>
        <translation>%1 verschiebt ein Fenster, das mit gedrückter Taste %2 an beliebiger Stelle gezogen wird: Halten Sie %2 gedrückt, ziehen Sie ein Fenster und lassen Sie es über einer Zone los.</translation>
    </message>
    <message>
        <source>%1 moves a window dragged anywhere with %2 held; a window dragged by its title bar with %3 held does not snap under %1 (it stays in place, or %1 tiles it itself). Choose %2 as the snap modifier.</source>
        <translation>%1 verschiebt ein Fenster, das mit gedrückter Taste %2 an beliebiger Stelle gezogen wird; ein Fenster, das mit gedrückter Taste %3 an der Titelleiste gezogen wird, rastet unter %1 nicht ein (es bleibt stehen, oder %1 ordnet es selbst an). Wählen Sie %2 als Einrast-Sondertaste.</translation>
    </message>
    <message>
        <source>Hold %1 and drag a window by its title bar. %2 usually moves a window dragged anywhere with %3 held: choose %3 to snap from anywhere in a window.</source>
        <translation>Halten Sie %1 gedrückt und ziehen Sie ein Fenster an seiner Titelleiste. %2 verschiebt meist ein Fenster, das mit gedrückter Taste %3 an beliebiger Stelle gezogen wird: Wählen Sie %3, um Fenster von jeder Stelle aus einrasten zu lassen.</translation>
    </message>
    <message>
        <source>%3 held during a move turns on %1&apos;s own snapping to edges: the window jumps from edge to edge instead of following the pointer. Choose %2 (it also moves a window dragged anywhere) or Ctrl as the snap modifier.</source>
        <translation>%3 beim Verschieben gedrückt schaltet das eigene Einrasten an Kanten von %1 ein: Das Fenster springt von Kante zu Kante, statt dem Mauszeiger zu folgen. Wählen Sie %2 (damit lässt sich ein Fenster auch an jeder Stelle ziehen) oder Strg als Einrasttaste.</translation>
    </message>
</context>
<context>
    <name>X11Platform</name>
    <message>
        <source>needs an X server (an X11 session, or XWayland in a Wayland session)</source>
        <translation>braucht einen X-Server (eine X11-Sitzung oder XWayland in einer Wayland-Sitzung)</translation>
    </message>
    <message>
        <source>%1, and DISPLAY is not set</source>
        <translation>%1, und DISPLAY ist nicht gesetzt</translation>
    </message>
    <message>
        <source>%1, and none answers at DISPLAY=%2</source>
        <translation>%1, und unter DISPLAY=%2 antwortet keiner</translation>
    </message>
</context>
<context>
    <name>ZoneNavigator</name>
    <message>
        <source>No display is connected</source>
        <translation>Kein Bildschirm ist angeschlossen</translation>
    </message>
    <message>
        <source>Display %1 has no zone %2: its layout has one zone</source>
        <translation>Bildschirm %1 hat keine Zone %2: Sein Layout hat nur eine Zone</translation>
    </message>
    <message>
        <source>Display %1 has no zones</source>
        <translation>Bildschirm %1 hat keine Zonen</translation>
    </message>
    <message>
        <source>No display has zones</source>
        <translation>Kein Bildschirm hat Zonen</translation>
    </message>
    <message numerus="yes">
        <source>Display %1 has no zone %2: its layout has %n zones</source>
        <translation>
            <numerusform>Bildschirm %1 hat keine Zone %2: Sein Layout hat %n Zone</numerusform>
            <numerusform>Bildschirm %1 hat keine Zone %2: Sein Layout hat %n Zonen</numerusform>
        </translation>
    </message>
    <message>
        <source>No zone lies above the window</source>
        <translation>Über dem Fenster liegt keine Zone</translation>
    </message>
    <message>
        <source>No zone lies below the window</source>
        <translation>Unter dem Fenster liegt keine Zone</translation>
    </message>
</context>
<context>
    <name>corvane::AboutDialog</name>
    <message>
        <source>About Corvane</source>
        <translation>Über Corvane</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Corvane %1&lt;/h3&gt;&lt;p&gt;Snaps windows into zones: hold the snap key while dragging a window, and release it over a zone.&lt;/p&gt;&lt;p&gt;Free software under the GNU General Public License, version 3 or later (&lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GPL-3.0-or-later&lt;/a&gt;). There is no warranty.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Corvane %1&lt;/h3&gt;&lt;p&gt;Lässt Fenster in Zonen einrasten: Halten Sie beim Ziehen eines Fensters die Einrasttaste gedrückt und lassen Sie es über einer Zone los.&lt;/p&gt;&lt;p&gt;Freie Software unter der GNU General Public License, Version 3 oder neuer (&lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GPL-3.0-or-later&lt;/a&gt;). Es gibt keine Gewährleistung.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>corvane::AccessibilityStatusView</name>
    <message>
        <source>Open Accessibility Settings</source>
        <translation>Einstellungen zur Barrierefreiheit öffnen</translation>
    </message>
    <message>
        <source>Open System Preferences to grant accessibility permissions</source>
        <translation>Die Systemeinstellungen öffnen, um Berechtigungen für die Barrierefreiheit zu erteilen</translation>
    </message>
</context>
<context>
    <name>corvane::ActiveWindowSnapper</name>
    <message>
        <source>No window is active</source>
        <translation>Kein Fenster ist aktiv</translation>
    </message>
    <message>
        <source>The active window cannot be read</source>
        <translation>Das aktive Fenster kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Zone %1 of display %2 lies off every display</source>
        <translation>Zone %1 von Bildschirm %2 liegt außerhalb aller Bildschirme</translation>
    </message>
    <message>
        <source>The active window closed</source>
        <translation>Das aktive Fenster wurde geschlossen</translation>
    </message>
    <message>
        <source>The active window refused to move</source>
        <translation>Das aktive Fenster hat sich nicht verschieben lassen</translation>
    </message>
    <message>
        <source>The active window&apos;s application is excluded from snapping</source>
        <translation>Die Anwendung des aktiven Fensters ist vom Einrasten ausgenommen</translation>
    </message>
    <message>
        <source>Moved the active window to zone %1 of display %2</source>
        <translation>Das aktive Fenster wurde in Zone %1 von Bildschirm %2 verschoben</translation>
    </message>
    <message>
        <source>The active window is in no zone</source>
        <translation>Das aktive Fenster ist in keiner Zone</translation>
    </message>
    <message>
        <source>No other window shares the active window&apos;s zone</source>
        <translation>Kein anderes Fenster teilt die Zone des aktiven Fensters</translation>
    </message>
    <message>
        <source>The window could not be activated</source>
        <translation>Das Fenster ließ sich nicht aktivieren</translation>
    </message>
    <message>
        <source>Activated window %1 of %2 in the zone</source>
        <translation>Fenster %1 von %2 der Zone aktiviert</translation>
    </message>
    <message>
        <source>The window manager keeps the active window out of zone %1 of display %2</source>
        <translation>Der Fenstermanager hält das aktive Fenster aus Zone %1 von Bildschirm %2 heraus</translation>
    </message>
</context>
<context>
    <name>corvane::CustomGridPopup</name>
    <message>
        <source>Custom Grid Layout</source>
        <translation>Eigenes Rasterlayout</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Zeilen:</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Spalten:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
</context>
<context>
    <name>corvane::CustomLayoutEditor</name>
    <message>
        <source>Layout Editor Closed</source>
        <translation>Layout-Editor geschlossen</translation>
    </message>
    <message>
        <source>The display the layout editor was on is gone.</source>
        <translation>Der Bildschirm, auf dem der Layout-Editor war, ist nicht mehr da.</translation>
    </message>
    <message>
        <source>Your unsaved layout “%1” is kept as a draft: choose Continue Draft in the Layout Editor preferences to go on with it.</source>
        <translation>Ihr nicht gespeichertes Layout „%1“ wird als Entwurf aufbewahrt: Wählen Sie „Entwurf fortsetzen“ in den Einstellungen des Layout-Editors, um daran weiterzuarbeiten.</translation>
    </message>
</context>
<context>
    <name>corvane::CustomLayoutToolbarView</name>
    <message>
        <source>%1×%2 Grid</source>
        <translation>%1×%2-Raster</translation>
    </message>
    <message>
        <source>Generate Grid</source>
        <translation>Raster erzeugen</translation>
    </message>
    <message>
        <source>Add Zone</source>
        <translation>Zone hinzufügen</translation>
    </message>
    <message>
        <source>Delete Zone</source>
        <translation>Zone löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Layout Name</source>
        <translation>Layoutname</translation>
    </message>
    <message>
        <source>New Layout</source>
        <translation>Neues Layout</translation>
    </message>
    <message>
        <source>Custom Grid…</source>
        <translation>Eigenes Raster …</translation>
    </message>
    <message>
        <source>Layout Not Saved</source>
        <translation>Layout nicht gespeichert</translation>
    </message>
    <message>
        <source>The layout could not be saved: %1.</source>
        <translation>Das Layout konnte nicht gespeichert werden: %1.</translation>
    </message>
    <message>
        <source>Your zones are still in the editor. Save again once this is fixed, or Cancel to discard them.</source>
        <translation>Ihre Zonen sind noch im Editor. Speichern Sie erneut, sobald das behoben ist, oder wählen Sie „Abbrechen“, um sie zu verwerfen.</translation>
    </message>
    <message>
        <source>Delete the selected zone</source>
        <translation>Die ausgewählte Zone löschen</translation>
    </message>
    <message>
        <source>Select a zone to delete it</source>
        <translation>Wählen Sie eine Zone aus, um sie zu löschen</translation>
    </message>
    <message>
        <source>Save the custom layout</source>
        <translation>Das eigene Layout speichern</translation>
    </message>
    <message>
        <source>Enter a layout name to save</source>
        <translation>Geben Sie zum Speichern einen Layoutnamen ein</translation>
    </message>
</context>
<context>
    <name>corvane::ExcludedApplicationsView</name>
    <message>
        <source>Add the application of a window…</source>
        <translation>Die Anwendung eines Fensters hinzufügen …</translation>
    </message>
    <message>
        <source>Excluded applications</source>
        <translation>Ausgenommene Anwendungen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Click a window of the application to exclude.</source>
        <translation>Klicken Sie auf ein Fenster der Anwendung, die ausgenommen werden soll.</translation>
    </message>
    <message>
        <source>That window does not say which application it belongs to.</source>
        <translation>Dieses Fenster gibt nicht an, zu welcher Anwendung es gehört.</translation>
    </message>
</context>
<context>
    <name>corvane::FeedbackView</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Rückmeldung senden</translation>
    </message>
    <message>
        <source>Help us improve Corvane by sharing your thoughts, suggestions, or reporting issues.</source>
        <translation>Helfen Sie uns, Corvane zu verbessern, indem Sie Ihre Gedanken und Vorschläge mitteilen oder Probleme melden.</translation>
    </message>
    <message>
        <source>Feedback Type</source>
        <translation>Art der Rückmeldung</translation>
    </message>
    <message>
        <source>Your Feedback</source>
        <translation>Ihre Rückmeldung</translation>
    </message>
    <message>
        <source>Please describe your feedback in detail:</source>
        <translation>Bitte beschreiben Sie Ihre Rückmeldung ausführlich:</translation>
    </message>
    <message>
        <source>Include system information</source>
        <translation>Systeminformationen beifügen</translation>
    </message>
    <message>
        <source>Contact Information</source>
        <translation>Kontaktdaten</translation>
    </message>
    <message>
        <source>Your Email (Optional)</source>
        <translation>Ihre E-Mail-Adresse (optional)</translation>
    </message>
    <message>
        <source>your.name@example.com</source>
        <translation>ihr.name@example.com</translation>
    </message>
    <message>
        <source>We&apos;ll only use this to respond to your feedback</source>
        <translation>Wir verwenden sie nur, um auf Ihre Rückmeldung zu antworten</translation>
    </message>
    <message>
        <source>Please enter a valid email address</source>
        <translation>Bitte geben Sie eine gültige E-Mail-Adresse ein</translation>
    </message>
    <message>
        <source>Send your feedback via email</source>
        <translation>Ihre Rückmeldung per E-Mail senden</translation>
    </message>
    <message>
        <source>Please write your feedback first</source>
        <translation>Bitte schreiben Sie zuerst Ihre Rückmeldung</translation>
    </message>
    <message>
        <source>Opened in Your Mail Client</source>
        <translation>In Ihrem E-Mail-Programm geöffnet</translation>
    </message>
    <message>
        <source>Your feedback is ready in a new message. Send it from there. Thank you for helping improve Corvane!</source>
        <translation>Ihre Rückmeldung liegt in einer neuen Nachricht bereit. Senden Sie sie von dort ab. Danke, dass Sie helfen, Corvane zu verbessern!</translation>
    </message>
    <message>
        <source>No Mail Client Could Be Opened</source>
        <translation>Kein E-Mail-Programm konnte geöffnet werden</translation>
    </message>
    <message>
        <source>Choose a default mail client in your desktop&apos;s settings, or copy the message and send it to %1 yourself.</source>
        <translation>Wählen Sie in den Einstellungen Ihrer Arbeitsfläche ein Standard-E-Mail-Programm, oder kopieren Sie die Nachricht und senden Sie sie selbst an %1.</translation>
    </message>
    <message>
        <source>Copy Message</source>
        <translation>Nachricht kopieren</translation>
    </message>
</context>
<context>
    <name>corvane::GeneralPreferencesView</name>
    <message>
        <source>Corvane cannot tell when %1 is held during a drag on this desktop. Choose another key.</source>
        <translation>Corvane kann auf dieser Arbeitsfläche nicht erkennen, wann %1 beim Ziehen gedrückt ist. Wählen Sie eine andere Taste.</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Berechtigungen</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Window Behavior</source>
        <translation>Fensterverhalten</translation>
    </message>
    <message>
        <source>Window snap modifier key</source>
        <translation>Sondertaste zum Einrasten</translation>
    </message>
    <message>
        <source>Click the button and press any key to set the modifier (Escape to reset to Shift)</source>
        <translation>Klicken Sie auf den Knopf und drücken Sie eine Taste, um die Sondertaste festzulegen (Escape setzt sie auf Umschalt zurück)</translation>
    </message>
    <message>
        <source>Window manager</source>
        <translation>Fensterverwaltung</translation>
    </message>
    <message>
        <source>Span zones key</source>
        <translation>Taste zum Überspannen von Zonen</translation>
    </message>
    <message>
        <source>Hold it as well while dragging to fill every zone from where you pressed it to where you release the window</source>
        <translation>Halten Sie sie beim Ziehen zusätzlich gedrückt, um alle Zonen von dort, wo Sie sie gedrückt haben, bis dorthin zu füllen, wo Sie das Fenster loslassen</translation>
    </message>
    <message>
        <source>Span zones</source>
        <translation>Zonen überspannen</translation>
    </message>
    <message>
        <source>Spanning zones is not available on this desktop</source>
        <translation>Das Überspannen von Zonen ist auf dieser Arbeitsfläche nicht verfügbar</translation>
    </message>
    <message>
        <source>Press %1 during a window move to fill every zone from the one under the pointer to the one where you release the window</source>
        <translation>Drücken Sie %1 beim Verschieben eines Fensters, um alle Zonen von der unter dem Mauszeiger bis zu der zu füllen, in der Sie das Fenster loslassen</translation>
    </message>
    <message>
        <source>Space around zones</source>
        <translation>Abstand um Zonen</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Pixels left between snapped windows and around the edges of the display</source>
        <translation>Pixel, die zwischen eingerasteten Fenstern und an den Rändern des Bildschirms frei bleiben</translation>
    </message>
    <message>
        <source>Restore window size when dragged out of a zone</source>
        <translation>Fenstergröße wiederherstellen, wenn es aus einer Zone gezogen wird</translation>
    </message>
    <message>
        <source>A snapped window dropped outside every zone gets back the size it had before</source>
        <translation>Ein eingerastetes Fenster, das außerhalb aller Zonen losgelassen wird, erhält seine vorige Größe zurück</translation>
    </message>
    <message>
        <source>Move between displays</source>
        <translation>Zwischen Bildschirmen wechseln</translation>
    </message>
    <message>
        <source>The next and previous zone shortcuts go on to the neighboring display instead of starting over on the same one</source>
        <translation>Die Kurzbefehle für die nächste und vorige Zone wechseln zum benachbarten Bildschirm, statt auf demselben von vorn zu beginnen</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Normal zone color</source>
        <translation>Farbe normaler Zonen</translation>
    </message>
    <message>
        <source>Color for zones when not highlighted during window dragging</source>
        <translation>Farbe der Zonen, die beim Ziehen eines Fensters nicht hervorgehoben sind</translation>
    </message>
    <message>
        <source>Highlight zone color</source>
        <translation>Farbe der hervorgehobenen Zone</translation>
    </message>
    <message>
        <source>Color for the zone being highlighted during window dragging</source>
        <translation>Farbe der Zone, die beim Ziehen eines Fensters hervorgehoben ist</translation>
    </message>
    <message>
        <source>Show layout preview</source>
        <translation>Layout-Vorschau anzeigen</translation>
    </message>
    <message>
        <source>Show a temporary overlay when selecting layouts from the menu and when snapping windows from the keyboard</source>
        <translation>Kurz eine Einblendung zeigen, wenn ein Layout im Menü gewählt wird oder ein Fenster über die Tastatur einrastet</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Auf Standardwerte zurücksetzen</translation>
    </message>
    <message>
        <source>Reset all preferences to their default values</source>
        <translation>Alle Einstellungen auf ihre Standardwerte zurücksetzen</translation>
    </message>
    <message>
        <source>This desktop tells applications nothing of the modifier keys held during a window move, so no snap modifier can be used here.</source>
        <translation>Diese Arbeitsfläche teilt Anwendungen nicht mit, welche Sondertasten beim Verschieben eines Fensters gedrückt sind, daher kann hier keine Einrast-Sondertaste verwendet werden.</translation>
    </message>
    <message>
        <source>Now the zones show during every window move, and releasing over a zone snaps the window.</source>
        <translation>Jetzt werden die Zonen bei jedem Verschieben eines Fensters angezeigt, und Loslassen über einer Zone lässt das Fenster einrasten.</translation>
    </message>
    <message>
        <source>Now the zones show only after you press %1 during a window move (press it again to hide them).</source>
        <translation>Jetzt werden die Zonen erst angezeigt, wenn Sie beim Verschieben eines Fensters %1 drücken (erneut drücken blendet sie aus).</translation>
    </message>
    <message>
        <source>Show zones during every window move</source>
        <translation>Zonen bei jedem Verschieben eines Fensters anzeigen</translation>
    </message>
    <message>
        <source>%1 is the span zones key. Choose another key.</source>
        <translation>%1 ist die Taste zum Überspannen von Zonen. Wählen Sie eine andere Taste.</translation>
    </message>
    <message>
        <source>%1 is the snap key. Choose another key.</source>
        <translation>%1 ist die Einrasttaste. Wählen Sie eine andere Taste.</translation>
    </message>
    <message>
        <source>Use %1</source>
        <translation>%1 verwenden</translation>
    </message>
    <message>
        <source>Reset all preferences to their default values?</source>
        <translation>Alle Einstellungen auf ihre Standardwerte zurücksetzen?</translation>
    </message>
    <message>
        <source>This cannot be undone.</source>
        <translation>Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>All preferences are back to their default values.</source>
        <translation>Alle Einstellungen haben wieder ihre Standardwerte.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Layouts per virtual desktop</source>
        <translation>Layouts pro virtueller Arbeitsfläche</translation>
    </message>
    <message>
        <source>A layout chosen for a display holds on the virtual desktop shown when it is chosen; desktops without a choice of their own use the display&apos;s</source>
        <translation>Ein für einen Bildschirm gewähltes Layout gilt auf der virtuellen Arbeitsfläche, die bei der Wahl angezeigt wird; Arbeitsflächen ohne eigene Wahl nutzen die des Bildschirms</translation>
    </message>
    <message>
        <source>Open new windows in their last zone</source>
        <translation>Neue Fenster in ihrer letzten Zone öffnen</translation>
    </message>
    <message>
        <source>A new window goes to the zone its application&apos;s windows were last snapped into, while that zone is still in its display&apos;s layout</source>
        <translation>Ein neues Fenster kommt in die Zone, in die die Fenster seiner Anwendung zuletzt eingerastet wurden, solange das Layout seines Bildschirms diese Zone noch hat</translation>
    </message>
    <message>
        <source>Move snapped windows when the layout changes</source>
        <translation>Eingerastete Fenster beim Layoutwechsel mitnehmen</translation>
    </message>
    <message>
        <source>Windows snapped on a display go to the zone of the same number in its new layout, or to the zone nearest them</source>
        <translation>Auf einem Bildschirm eingerastete Fenster wechseln in die Zone mit derselben Nummer im neuen Layout, sonst in die Zone, die ihnen am nächsten ist</translation>
    </message>
    <message>
        <source>Resize neighboring windows together</source>
        <translation>Größe benachbarter Fenster gemeinsam ändern</translation>
    </message>
    <message>
        <source>Resizing a snapped window moves the shared edge of the snapped windows beside it</source>
        <translation>Ändert man die Größe eines eingerasteten Fensters, folgt die gemeinsame Kante der eingerasteten Fenster daneben</translation>
    </message>
</context>
<context>
    <name>corvane::GnomeSessionInfo</name>
    <message>
        <source>Corvane can see and move windows</source>
        <translation>Corvane kann Fenster sehen und verschieben</translation>
    </message>
    <message>
        <source>GNOME&apos;s Wayland session: Corvane&apos;s GNOME Shell extension reports every window move to Corvane and moves windows for it.</source>
        <translation>Wayland-Sitzung von GNOME: Die GNOME-Shell-Erweiterung von Corvane meldet Corvane jedes Verschieben eines Fensters und verschiebt Fenster für Corvane.</translation>
    </message>
    <message>
        <source>Log out and in to let Corvane snap windows</source>
        <translation>Ab- und wieder anmelden, damit Corvane Fenster einrasten lässt</translation>
    </message>
    <message>
        <source>Log out and log in again: GNOME Shell then loads Corvane&apos;s extension, and Corvane turns it on.</source>
        <translation>Melden Sie sich ab und wieder an: GNOME Shell lädt dann die Erweiterung von Corvane, und Corvane schaltet sie ein.</translation>
    </message>
    <message>
        <source>Corvane cannot see or move windows</source>
        <translation>Corvane kann Fenster weder sehen noch verschieben</translation>
    </message>
    <message>
        <source>Check in GNOME&apos;s Extensions app that extensions are allowed and that Corvane&apos;s is on, then quit and start Corvane again.</source>
        <translation>Prüfen Sie in der Anwendung Erweiterungen von GNOME, dass Erweiterungen erlaubt sind und die von Corvane eingeschaltet ist, beenden Sie dann Corvane und starten Sie es neu.</translation>
    </message>
    <message>
        <source>GNOME Shell tells Corvane only Shift, Ctrl, Alt and Super: other keys cannot be the snap or span key here. Corvane draws its zones in an X11 window (Xwayland): on a display GNOME scales by a fraction they may not line up with the display.</source>
        <translation>GNOME Shell teilt Corvane nur Umschalt, Strg, Alt und Super mit: Andere Tasten können hier nicht Einrast- oder Spanntaste sein. Corvane zeichnet seine Zonen in einem X11-Fenster (Xwayland): Auf einem Bildschirm, den GNOME um einen Bruchteil skaliert, liegen sie womöglich nicht genau auf dem Bildschirm.</translation>
    </message>
</context>
<context>
    <name>corvane::KWinSessionInfo</name>
    <message>
        <source>Corvane cannot see or move windows</source>
        <translation>Corvane kann keine Fenster sehen oder verschieben</translation>
    </message>
    <message>
        <source>KWin did not load or run Corvane&apos;s script, through which window moves are seen and windows are moved.</source>
        <translation>KWin hat das Skript von Corvane nicht geladen oder nicht ausgeführt, über das Fensterbewegungen erkannt und Fenster verschoben werden.</translation>
    </message>
    <message>
        <source>Check that scripting is allowed in KWin (the log names the reason), then quit and start Corvane again.</source>
        <translation>Prüfen Sie, ob Skripte in KWin erlaubt sind (das Protokoll nennt den Grund), beenden Sie dann Corvane und starten Sie es erneut.</translation>
    </message>
    <message>
        <source>Corvane can see and move windows</source>
        <translation>Corvane kann Fenster sehen und verschieben</translation>
    </message>
    <message>
        <source>KDE Plasma&apos;s Wayland session: KWin reports every window move to Corvane and moves windows for it.</source>
        <translation>Wayland-Sitzung von KDE Plasma: KWin meldet Corvane jedes Verschieben eines Fensters und verschiebt Fenster für Corvane.</translation>
    </message>
</context>
<context>
    <name>corvane::KWinWindowSystem</name>
    <message>
        <source>Corvane: show the zones during a window move</source>
        <translation>Corvane: Zonen beim Verschieben eines Fensters anzeigen</translation>
    </message>
    <message>
        <source>Corvane: span zones during a window move</source>
        <translation>Corvane: Zonen beim Verschieben eines Fensters überspannen</translation>
    </message>
</context>
<context>
    <name>corvane::KeyCaptureButton</name>
    <message>
        <source>Press any key...</source>
        <translation>Eine Taste drücken …</translation>
    </message>
</context>
<context>
    <name>corvane::KeyboardShortcutsPreferencesView</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastaturkurzbefehle</translation>
    </message>
    <message>
        <source>Customize keyboard shortcuts for quick access to Corvane features.</source>
        <translation>Passen Sie Tastaturkurzbefehle für den schnellen Zugriff auf Funktionen von Corvane an.</translation>
    </message>
    <message>
        <source>Application Shortcuts</source>
        <translation>Kurzbefehle der Anwendung</translation>
    </message>
    <message>
        <source>Open Preferences</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Quickly open the preferences window</source>
        <translation>Das Einstellungsfenster schnell öffnen</translation>
    </message>
    <message>
        <source>Window Snapping</source>
        <translation>Einrasten von Fenstern</translation>
    </message>
    <message>
        <source>Move window to next zone</source>
        <translation>Fenster in die nächste Zone verschieben</translation>
    </message>
    <message>
        <source>The active window goes to the zone numbered after its own, then on to the next display</source>
        <translation>Das aktive Fenster wechselt in die Zone mit der nächsthöheren Nummer, danach auf den nächsten Bildschirm</translation>
    </message>
    <message>
        <source>Move window to previous zone</source>
        <translation>Fenster in die vorige Zone verschieben</translation>
    </message>
    <message>
        <source>The same, backwards</source>
        <translation>Dasselbe, rückwärts</translation>
    </message>
    <message>
        <source>Move window to zone %1</source>
        <translation>Fenster in Zone %1 verschieben</translation>
    </message>
    <message>
        <source>On the active window&apos;s display, numbered as the overlay shows them</source>
        <translation>Auf dem Bildschirm des aktiven Fensters, nummeriert wie in der Einblendung</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tipps</translation>
    </message>
    <message>
        <source>Recording a Shortcut</source>
        <translation>Einen Kurzbefehl aufnehmen</translation>
    </message>
    <message>
        <source>Click a shortcut&apos;s field and press the keys. Shortcuts work in every application, also when Corvane is not in focus.</source>
        <translation>Klicken Sie in das Feld eines Kurzbefehls und drücken Sie die Tasten. Kurzbefehle wirken in jeder Anwendung, auch wenn Corvane nicht im Vordergrund ist.</translation>
    </message>
    <message>
        <source>Removing a Shortcut</source>
        <translation>Einen Kurzbefehl entfernen</translation>
    </message>
    <message>
        <source>Click the shortcut&apos;s field and press Delete or Backspace.</source>
        <translation>Klicken Sie in das Feld des Kurzbefehls und drücken Sie Entf oder die Rücktaste.</translation>
    </message>
    <message>
        <source>Keys Already Taken</source>
        <translation>Bereits belegte Tasten</translation>
    </message>
    <message>
        <source>Layouts</source>
        <translation>Layouts</translation>
    </message>
    <message>
        <source>Next layout</source>
        <translation>Nächstes Layout</translation>
    </message>
    <message>
        <source>The display under the pointer uses the layout after its own, in the order corvane --list shows them</source>
        <translation>Der Bildschirm unter dem Mauszeiger nutzt das Layout nach seinem eigenen, in der Reihenfolge, die corvane --list zeigt</translation>
    </message>
    <message>
        <source>Previous layout</source>
        <translation>Vorheriges Layout</translation>
    </message>
    <message>
        <source>Layout key %1</source>
        <translation>Layout-Taste %1</translation>
    </message>
    <message>
        <source>The layout holding this layout key, on the display under the pointer; give layouts their keys in the Layout Editor by right-clicking them</source>
        <translation>Das Layout mit dieser Layout-Taste, auf dem Bildschirm unter dem Mauszeiger; Tasten vergeben Sie im Layout-Editor per Rechtsklick auf ein Layout</translation>
    </message>
    <message>
        <source>Open the layout editor</source>
        <translation>Layout-Editor öffnen</translation>
    </message>
    <message>
        <source>On the display under the pointer</source>
        <translation>Auf dem Bildschirm unter dem Mauszeiger</translation>
    </message>
    <message>
        <source>Move window up</source>
        <translation>Fenster nach oben</translation>
    </message>
    <message>
        <source>To the zone above the active window&apos;s, then to the display above</source>
        <translation>In die Zone über der des aktiven Fensters, dann zum Bildschirm darüber</translation>
    </message>
    <message>
        <source>Move window down</source>
        <translation>Fenster nach unten</translation>
    </message>
    <message>
        <source>To the zone below the active window&apos;s, then to the display below</source>
        <translation>In die Zone unter der des aktiven Fensters, dann zum Bildschirm darunter</translation>
    </message>
    <message>
        <source>Next window in the zone</source>
        <translation>Nächstes Fenster der Zone</translation>
    </message>
    <message>
        <source>Brings up the next window snapped into the active window&apos;s zone</source>
        <translation>Holt das nächste Fenster nach vorn, das in der Zone des aktiven Fensters eingerastet ist</translation>
    </message>
    <message>
        <source>Previous window in the zone</source>
        <translation>Voriges Fenster der Zone</translation>
    </message>
    <message>
        <source>Snap all windows</source>
        <translation>Alle Fenster einrasten</translation>
    </message>
    <message>
        <source>Every window of the display under the pointer goes to the zone nearest it</source>
        <translation>Jedes Fenster des Bildschirms unter dem Mauszeiger kommt in die Zone, die ihm am nächsten ist</translation>
    </message>
</context>
<context>
    <name>corvane::LayoutEditorView</name>
    <message>
        <source>Layout Editor</source>
        <translation>Layout-Editor</translation>
    </message>
    <message>
        <source>Available Displays</source>
        <translation>Verfügbare Bildschirme</translation>
    </message>
    <message>
        <source>Layout Templates</source>
        <translation>Layout-Vorlagen</translation>
    </message>
    <message>
        <source>Custom Layouts</source>
        <translation>Eigene Layouts</translation>
    </message>
    <message>
        <source>No custom layouts yet</source>
        <translation>Noch keine eigenen Layouts</translation>
    </message>
    <message>
        <source>Create New</source>
        <translation>Neu erstellen</translation>
    </message>
    <message>
        <source>Draw a new custom layout (%1)</source>
        <translation>Ein neues eigenes Layout zeichnen (%1)</translation>
    </message>
    <message>
        <source>Continue Draft</source>
        <translation>Entwurf fortsetzen</translation>
    </message>
    <message>
        <source>Some stored layouts could not be read. They are not shown, and they are kept unchanged in the settings file.</source>
        <translation>Einige gespeicherte Layouts konnten nicht gelesen werden. Sie werden nicht angezeigt und bleiben unverändert in der Einstellungsdatei erhalten.</translation>
    </message>
    <message>
        <source>Please select a display first</source>
        <translation>Bitte wählen Sie zuerst einen Bildschirm aus</translation>
    </message>
    <message>
        <source>a display that is not connected now</source>
        <translation>einem Bildschirm, der gerade nicht angeschlossen ist</translation>
    </message>
    <message numerus="yes">
        <source>%n displays that are not connected now</source>
        <translation>
            <numerusform>%n Bildschirm, der gerade nicht angeschlossen ist</numerusform>
            <numerusform>%n Bildschirmen, die gerade nicht angeschlossen sind</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Delete Layout</source>
        <translation>Layout löschen</translation>
    </message>
    <message>
        <source>Delete the layout “%1”?</source>
        <translation>Das Layout „%1“ löschen?</translation>
    </message>
    <message>
        <source>It is the layout of %1. That display will use %2 instead.</source>
        <translation>Es ist das Layout von %1. Dieser Bildschirm verwendet dann stattdessen %2.</translation>
    </message>
    <message>
        <source>It is the layout of %1. Those displays will use %2 instead.</source>
        <translation>Es ist das Layout von %1. Diese Bildschirme verwenden dann stattdessen %2.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>The layout could not be deleted: %1.</source>
        <translation>Das Layout konnte nicht gelöscht werden: %1.</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>No layout key (right-click to give it one)</source>
        <translation>Keine Layout-Taste (Rechtsklick, um eine zu vergeben)</translation>
    </message>
    <message>
        <source>Layout key: %1 (right-click to change it)</source>
        <translation>Layout-Taste: %1 (Rechtsklick zum Ändern)</translation>
    </message>
    <message>
        <source>Layout Key</source>
        <translation>Layout-Taste</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>The layout key could not be saved: %1</source>
        <translation>Die Layout-Taste konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>corvane::LayoutPreviewView</name>
    <message>
        <source>No Layout</source>
        <translation>Kein Layout</translation>
    </message>
</context>
<context>
    <name>corvane::MonitorCard</name>
    <message>
        <source>Display %1</source>
        <translation>Bildschirm %1</translation>
    </message>
    <message>
        <source>Primary Display</source>
        <translation>Hauptbildschirm</translation>
    </message>
    <message>
        <source>Secondary Display</source>
        <translation>Weiterer Bildschirm</translation>
    </message>
</context>
<context>
    <name>corvane::PreferencesWindow</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>A setting could not be saved: %1. What you change now lasts only until Corvane quits.</source>
        <translation>Eine Einstellung konnte nicht gespeichert werden: %1. Was Sie jetzt ändern, gilt nur, bis Corvane beendet wird.</translation>
    </message>
</context>
<context>
    <name>corvane::ShortcutRecorder</name>
    <message>
        <source>Record Shortcut</source>
        <translation>Kurzbefehl aufnehmen</translation>
    </message>
    <message>
        <source>Press shortcut…</source>
        <translation>Kurzbefehl drücken …</translation>
    </message>
    <message>
        <source>Add a modifier other than Shift</source>
        <translation>Fügen Sie eine andere Sondertaste als Umschalt hinzu</translation>
    </message>
    <message>
        <source>This key cannot be used</source>
        <translation>Diese Taste kann nicht verwendet werden</translation>
    </message>
    <message>
        <source>Used by another application</source>
        <translation>Von einer anderen Anwendung belegt</translation>
    </message>
    <message>
        <source>This shortcut cannot be used</source>
        <translation>Dieser Kurzbefehl kann nicht verwendet werden</translation>
    </message>
    <message>
        <source>Taken: %1</source>
        <translation>Belegt: %1</translation>
    </message>
    <message>
        <source>Shortcut recorder</source>
        <translation>Kurzbefehl-Aufnahme</translation>
    </message>
    <message>
        <source>%1 is used by another application; click to record another combination</source>
        <translation>%1 wird von einer anderen Anwendung verwendet; klicken Sie, um eine andere Kombination aufzunehmen</translation>
    </message>
</context>
<context>
    <name>corvane::SingleInstance</name>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 belongs to another user</source>
        <translation>%1 gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>%1 cannot be made private</source>
        <translation>%1 kann nicht privat gemacht werden</translation>
    </message>
    <message>
        <source>no single-instance channel: %1</source>
        <translation>kein Kanal für die einzelne Instanz: %1</translation>
    </message>
    <message>
        <source>no single-instance channel: cannot write in %1</source>
        <translation>kein Kanal für die einzelne Instanz: In %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the single-instance channel could not be opened: %1</source>
        <translation>der Kanal für die einzelne Instanz konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Corvane does not know this request</source>
        <translation>Corvane kennt diese Anfrage nicht</translation>
    </message>
    <message>
        <source>the running Corvane did not answer</source>
        <translation>das laufende Corvane hat nicht geantwortet</translation>
    </message>
</context>
<context>
    <name>corvane::StatusMenu</name>
    <message>
        <source>Drag a window to snap: zones show during every move</source>
        <translation>Ziehen Sie ein Fenster zum Einrasten: Zonen erscheinen bei jedem Verschieben</translation>
    </message>
    <message>
        <source>Press %1 while dragging a window to snap</source>
        <translation>Drücken Sie beim Ziehen eines Fensters %1 zum Einrasten</translation>
    </message>
    <message>
        <source>Hold %1 and drag window to snap</source>
        <translation>Halten Sie %1 gedrückt und ziehen Sie ein Fenster zum Einrasten</translation>
    </message>
    <message>
        <source>Display %1: %2 (%3×%4)</source>
        <translation>Bildschirm %1: %2 (%3×%4)</translation>
    </message>
    <message>
        <source> (Primary)</source>
        <translation> (Hauptbildschirm)</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Layout Editor…</source>
        <translation>Layout-Editor …</translation>
    </message>
    <message>
        <source>Send Feedback…</source>
        <translation>Rückmeldung senden …</translation>
    </message>
    <message>
        <source>About Corvane</source>
        <translation>Über Corvane</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Template Layouts</source>
        <translation>Layout-Vorlagen</translation>
    </message>
    <message>
        <source>Custom Layouts</source>
        <translation>Eigene Layouts</translation>
    </message>
    <message>
        <source>Layouts for %1 only</source>
        <translation>Layouts nur für %1</translation>
    </message>
</context>
<context>
    <name>corvane::TrayApplication</name>
    <message>
        <source>no system tray was found; Corvane keeps running and its preferences open with the global shortcut or by starting corvane again.</source>
        <translation>kein Systemabschnitt in der Kontrollleiste gefunden; Corvane läuft weiter, und seine Einstellungen öffnen sich mit dem globalen Kurzbefehl oder durch erneutes Starten von corvane.</translation>
    </message>
    <message>
        <source>Corvane is still starting</source>
        <translation>Corvane startet noch</translation>
    </message>
    <message>
        <source>The window did not move while %1 was held, so it could not be snapped.</source>
        <translation>Das Fenster hat sich nicht bewegt, während %1 gedrückt war, daher konnte es nicht einrasten.</translation>
    </message>
    <message>
        <source>Choose the key your window manager moves windows with in Preferences → General.</source>
        <translation>Wählen Sie unter Einstellungen → Allgemein die Taste, mit der Ihre Fensterverwaltung Fenster verschiebt.</translation>
    </message>
    <message>
        <source>%1 moves windows with %2 held: choose %2 in Preferences → General.</source>
        <translation>%1 verschiebt Fenster mit gedrückter Taste %2: Wählen Sie %2 unter Einstellungen → Allgemein.</translation>
    </message>
    <message>
        <source>Nothing was snapped</source>
        <translation>Nichts ist eingerastet</translation>
    </message>
    <message>
        <source>Corvane cannot save its settings to %1: %2. Changes made now are lost when Corvane quits.</source>
        <translation>Corvane kann seine Einstellungen nicht in %1 speichern: %2. Jetzt vorgenommene Änderungen gehen verloren, wenn Corvane beendet wird.</translation>
    </message>
    <message>
        <source>Settings Not Saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Corvane</source>
        <comment>the tray icon&apos;s tooltip: the application&apos;s name</comment>
        <translation>Corvane</translation>
    </message>
    <message>
        <source>The window manager put the window outside its zone and keeps it there.</source>
        <translation>Der Fenstermanager hat das Fenster außerhalb seiner Zone abgelegt und hält es dort.</translation>
    </message>
    <message>
        <source>%1 put the window outside its zone and keeps it there.</source>
        <translation>%1 hat das Fenster außerhalb seiner Zone abgelegt und hält es dort.</translation>
    </message>
    <message>
        <source>It keeps windows out of that part of the display.</source>
        <translation>Er hält Fenster aus diesem Teil des Bildschirms heraus.</translation>
    </message>
    <message>
        <source>Window Not in Its Zone</source>
        <translation>Fenster nicht in seiner Zone</translation>
    </message>
</context>
<context>
    <name>corvane::X11Session</name>
    <message>
        <source>(not set)</source>
        <translation>(nicht gesetzt)</translation>
    </message>
    <message>
        <source>Log out, choose an X11 (Xorg) session at the login screen, and start Corvane again.</source>
        <translation>Melden Sie sich ab, wählen Sie im Anmeldebildschirm eine X11-Sitzung (Xorg) und starten Sie Corvane erneut.</translation>
    </message>
    <message>
        <source>Corvane cannot see or move windows</source>
        <translation>Corvane kann keine Fenster sehen oder verschieben</translation>
    </message>
    <message>
        <source>This is a Wayland session without an X server: Wayland does not let one application move the windows of another.</source>
        <translation>Dies ist eine Wayland-Sitzung ohne X-Server: Unter Wayland darf eine Anwendung nicht die Fenster einer anderen verschieben.</translation>
    </message>
    <message>
        <source>No X11 display could be opened (DISPLAY is %1).</source>
        <translation>Keine X11-Anzeige konnte geöffnet werden (DISPLAY ist %1).</translation>
    </message>
    <message>
        <source>Start Corvane from inside your desktop session, where DISPLAY names its X server.</source>
        <translation>Starten Sie Corvane innerhalb Ihrer Arbeitsflächensitzung, in der DISPLAY deren X-Server nennt.</translation>
    </message>
    <message>
        <source>Corvane cannot see window drags</source>
        <translation>Corvane kann das Ziehen von Fenstern nicht erkennen</translation>
    </message>
    <message>
        <source>The X server on %1 lacks the XInput 2 extension, through which Corvane sees the mouse.</source>
        <translation>Dem X-Server auf %1 fehlt die Erweiterung XInput 2, über die Corvane die Maus erkennt.</translation>
    </message>
    <message>
        <source>Use an X server with XInput 2.2 or later (every current Xorg has it).</source>
        <translation>Verwenden Sie einen X-Server mit XInput 2.2 oder neuer (jedes aktuelle Xorg hat sie).</translation>
    </message>
    <message>
        <source>Only X11 applications can be snapped</source>
        <translation>Nur X11-Anwendungen können einrasten</translation>
    </message>
    <message>
        <source>This is a Wayland session: Corvane reaches windows through XWayland, so it sees and moves only applications that run as X11 clients. Wayland does not let one application move the windows of another.</source>
        <translation>Dies ist eine Wayland-Sitzung: Corvane erreicht Fenster über XWayland und sieht und verschiebt daher nur Anwendungen, die als X11-Clients laufen. Unter Wayland darf eine Anwendung nicht die Fenster einer anderen verschieben.</translation>
    </message>
    <message>
        <source>To snap every window, log out and choose an X11 (Xorg) session at the login screen.</source>
        <translation>Um jedes Fenster einrasten zu lassen, melden Sie sich ab und wählen Sie im Anmeldebildschirm eine X11-Sitzung (Xorg).</translation>
    </message>
    <message>
        <source>Corvane can see and move windows</source>
        <translation>Corvane kann Fenster sehen und verschieben</translation>
    </message>
    <message>
        <source>Connected to the X11 session on display %1: window drags are seen and windows of every application can be moved.</source>
        <translation>Mit der X11-Sitzung auf Anzeige %1 verbunden: Das Ziehen von Fenstern wird erkannt, und Fenster jeder Anwendung können verschoben werden.</translation>
    </message>
</context>
<context>
    <name>corvane::X11WindowSystem</name>
    <message>
        <source>A panel on another display reserves room from the edge of the whole screen, as the standard for panels counts it, and so all of %1 too: the window manager keeps windows out of it.</source>
        <translation>Eine Leiste auf einem anderen Bildschirm reserviert Platz vom Rand der gesamten Arbeitsfläche aus, wie der Standard für Leisten es zählt, und damit auch ganz %1: Der Fenstermanager hält Fenster dort heraus.</translation>
    </message>
    <message>
        <source>A panel on another display reserves room from the edge of the whole screen, as the standard for panels counts it, and so part of %1 too: the window manager keeps windows out of that part.</source>
        <translation>Eine Leiste auf einem anderen Bildschirm reserviert Platz vom Rand der gesamten Arbeitsfläche aus, wie der Standard für Leisten es zählt, und damit auch einen Teil von %1: Der Fenstermanager hält Fenster aus diesem Teil heraus.</translation>
    </message>
    <message>
        <source>Put the panel on an outer edge of the screen (the bottom of the lowest display, the top of the highest), or have it reserve no room (tint2: strut_policy = none).</source>
        <translation>Legen Sie die Leiste an einen äußeren Rand der Arbeitsfläche (unten am untersten Bildschirm, oben am obersten) oder lassen Sie sie keinen Platz reservieren (tint2: strut_policy = none).</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Corvane is running but does not answer</source>
        <translation>Corvane läuft, antwortet aber nicht</translation>
    </message>
    <message>
        <source>Corvane could not be started</source>
        <translation>Corvane konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Corvane ended as it started; run corvane to see why</source>
        <translation>Corvane wurde beim Start beendet; führen Sie corvane aus, um den Grund zu sehen</translation>
    </message>
    <message>
        <source>Corvane was started but does not answer</source>
        <translation>Corvane wurde gestartet, antwortet aber nicht</translation>
    </message>
</context>
</TS>
