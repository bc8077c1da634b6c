// The table window: all state of a run and every procedure of the game. Its methods are defined
// in the files of the part of the game that owns them (match/, players/, table/, media/).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "match/table_state.h"
#include "media/mci_device.h"
#include "table/geometry.h"
#include "window/controls.h"
#include "window/form.h"
#include "window/surface.h"

// Thrown by an event-processing pass once the window has been closed: it unwinds every wait
// so that no game step runs after the close.
struct ProgramEnded {};

class frmGioco : public TableState {
public:
    // program_dir: the program's folder (settings file, carta.wav, music/).
    explicit frmGioco(std::filesystem::path program_dir);
    ~frmGioco();
    frmGioco(const frmGioco&) = delete;
    frmGioco& operator=(const frmGioco&) = delete;

    // ---- card model (card_model.cpp)
    static std::uint8_t seme_carta(std::uint8_t card);
    static std::uint8_t numero_carta(std::uint8_t card);

    // ---- start-up and shutdown (startup.cpp)
    void Form_Load();
    void Form_Activate();
    void Form_Unload(std::int16_t& Cancel);
    void menu_quit_Click();

    // ---- delay primitive and waits (waits.cpp)
    //
    // What runs inside a wait. Only the match loop and the procedures it calls wait: a pause
    // (ritardo), a wait for a flag that a handler sets (wait_until) and the frames of an animation
    // (animate, whose frames each run one DoEvents). Every event handler (clicks, menu choices,
    // the timer's tick, a song's end, a resize, the close) runs inside the event passes of that one
    // wait, never waits or pauses itself, and never touches the counters or working values of the
    // procedure that waits; so waits never nest (event_depth_ is the depth of event passes under
    // way, 0 in game code). One handler shows something modal: the user's refused card opens its
    // message box, whose own event loop runs the timer's tick, a song's end and a close while it
    // is open (the box keeps the mouse and the menus from the table). A close of the window (its
    // close box, "&Quit", a signal of a logout)
    // marks the run over; the event pass that ran it then throws ProgramEnded, which unwinds every
    // wait up to Form_Activate, so that no game step runs after a close; game code that would show
    // a message box or beep after a close throws it at once. While the frames of an animation run,
    // a song's end and a choice from the Music menu are held back, since loading a song takes tens
    // of milliseconds: they run as soon as the stretch of frames is over, the latest choice in place
    // of a song's end.
    void ritardo(double tempo);
    void Timer1_Timer();
    // One event-processing pass: every pending event is handled, nothing is waited for.
    void DoEvents();
    // One pass that blocks until at least one event has arrived.
    void WaitEvents();
    // Repeats blocking passes until the test holds (tested after each pass, at least one pass).
    void wait_until(const std::function<bool()>& done);
    // Runs a stretch of animation frames, with the music's events held back until it is over.
    void animate(const std::function<void()>& frames);
    bool animating() const { return animation_running_; }

    // ---- match loop (match_loop.cpp)
    void Main();
    void Ord_Punteggio();
    // True when the match is over after the hand just scored.
    bool match_is_over() const;
    void continue_Click();
    void menu_Newgame_Click();

    // ---- hand set-up, shuffle, dealer draw, deal and sort
    void gioco_imposta();
    void Mescola();
    void Scelta_Cartaro();
    void dorsov_Click();
    void ord_massimo();
    void daicarte();
    void OrdMieCarte(std::uint8_t Trn);

    // ---- trick loop and the user's move
    void gioco();
    void carta_MouseDown(std::int16_t& Index, std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);

    // ---- trick resolution and scoring
    void DETERMINO_TURNO();
    void risultato();

    // ---- computer players (players/)
    void Aggiorna_Quante_e_Buone();
    void scelgo_carta_da_giocare();
    void Scelta_carta_minore_Primo_Turno();
    void Scelta_carta_minore_Turni_Successivi();
    void scelta_carta_maggiore();

    // ---- the table (table/): card moves, gathering, seat names, zoom, overlays, names panel
    void muovo_carta_da_giocare();
    void cancella_dorsoo();
    void cancella_dorsov();
    void muovo_carte_prese();
    void Posiziona_Players();
    void Form_Resize();
    void menu_rules_Click();
    void menu_about_Click();
    void text2_Click();
    void text4_Click();
    void personalize_players_Click();
    void TxtPlayer_Change(std::int16_t Index);
    void Form_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Whether the names panel is open, and its close: the settings saved, the boxes and the
    // mark hidden, the surface cleared.
    bool names_panel_open() const;
    void close_names_panel();
    // The table's places at the geometry start-up took.
    table::Geometry geometry() const { return {center_x, center_y, card_width, card_height}; }

    // ---- settings, options, card sound (media/)
    void Set_Read();
    void Set_Write();
    void velocità_gioco_Click(std::int16_t Index);
    void menu_card_rustle_Click(std::int16_t Index);
    void Apri_suono(std::string suono);
    void suona();
    void nomusic_Click(std::int16_t Index);
    void canzoni_Click(std::int16_t Index);
    void all_Click(std::int16_t Index);
    void MMC1_Done(std::int16_t& NotifyCode);
    // The start-up music step: the song menu from the music folder, then the saved mode's marks.
    void music_start_up();
    // The songs found at start-up: element i is the file-name part of canzoni(i); 0 unused.
    std::vector<std::string> song_names{std::string()};
    int song_count() const { return int(song_names.size()) - 1; }

    // ---- platform: message box and beep
    void MsgBox(const std::string& text);
    void Beep();

    // ---- the window's design: surface and controls
    ui::Surface surface;
    std::array<ui::PictureBox, 41> carta;
    ui::PictureBox dorsov, dorsoo, testo;
    ui::TextBox Text2, Text4;
    std::array<ui::TextBox, 5> TxtPlayer;          // 1 designed, 2..4 created at start-up
    ui::ShapeBox Shape1;
    ui::Timer Timer1;
    media::MciDevice MMC1;                            // songs
    media::MciDevice MMCw{"WaveAudio"};               // the card sound

    // Menu bar
    ui::MenuItem menu_game, menu_newGame, continue_;
    ui::MenuItem menu_rules;
    ui::MenuItem menu_opzioni, game_rate, personalize_players;
    std::array<ui::MenuItem, 4> velocità_gioco;   // 1 Low, 2 Middle, 3 High
    ui::MenuItem menu_sounds, fruscio;
    std::array<ui::MenuItem, 2> menu_card_rustle; // 0 No, 1 Yes
    ui::MenuItem music;
    std::array<ui::MenuItem, 1> nomusic;
    std::array<ui::MenuItem, 1> all;
    std::vector<std::unique_ptr<ui::MenuItem>> canzoni;  // element 0 unused; 1 designed
    ui::MenuItem menu_about, menu_quit;

    // ---- the window itself
    ui::Window& window() { return *window_; }
    const std::filesystem::path& program_dir() const { return program_dir_; }
    // Creates a further element of the name-box array from element 1.
    void load_TxtPlayer(int index);
    // True once the window has been closed.
    bool run_over() const { return run_over_; }
    bool main_running() const { return main_running_; }

    // What tests change so that the game runs headless and fast; the game leaves them alone.
    struct TestHooks {
        // Observe the message box and the beep instead of showing and sounding them.
        std::function<void(const std::string&)> message_box;
        std::function<void()> beep;
        // A fixed seed for the shuffle instead of the time of day.
        std::optional<std::uint32_t> shuffle_seed;
        // Every pause lasts its interval times this.
        double pause_scale = 1.0;
        // Told of every pause as it starts, with its length at the slowest rate.
        std::function<void(double tempo)> pause;
        // Whether the first activation enters the match loop.
        bool run_main_on_activate = true;
    };
    TestHooks test_hooks;

private:
    void wire_events();
    // Ends the run here once the window has been closed; inside an event handler the event
    // pass around it does that instead, since nothing may be thrown through the toolkit.
    void end_if_closed() const;
    // One event-processing pass, waiting for an event first or not, ending the run after a close.
    void event_pass(bool wait);
    // The song device's end-of-play event, held back while animation frames run.
    void song_device_done(std::int16_t& code);
    // What the music held back during animation frames, now that they are over.
    void play_held_music();
    // Erases a computer seat's row of backs and paints again the backs of the unplayed slots of
    // current_player's hand, in that seat's place.
    void repaint_backs(int seat, ui::Picture back);
    // Clears the marks of every song item.
    void clear_song_marks();
    // A choice from the Music menu; one made while animation frames run waits for their end,
    // since loading a song takes tens of milliseconds.
    void music_choice(std::function<void()> choice);

    std::filesystem::path program_dir_;
    std::unique_ptr<ui::Window> window_;
    bool run_over_ = false;
    bool main_running_ = false;
    bool activated_ = false;
    // Event passes under way: above 0, the code running is an event handler.
    int event_depth_ = 0;
    // True while animation frames run.
    bool animation_running_ = false;
    // A song ended during animation frames, or a music choice was made then; play_held_music
    // handles it.
    bool song_end_held_ = false;
    std::function<void()> held_music_choice_;
};
