// The tool's one window: the tabs "Solo", "Tabela" and "Ustawienia", their
// controls, and the handlers behind the buttons, the check boxes and the
// monitor timer. Every message the user sees goes through `show_message`.
#pragma once

#include "app/solo_rating.h"

#include <QWidget>

#include <functional>
#include <string>

class MSP430_bootloader;
class PIC16F1455_bootloader;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;
class Shape_widget;

class TForm_main : public QWidget {
public:
    explicit TForm_main(QWidget* parent = nullptr);

    // True while a monitor tick holds a channel on the dongle.
    bool busy = false;

    QTabWidget* PageControl1;

    // "Solo"
    QWidget* TabSheet1;
    QFrame* Panel4;
    QLabel* Label1;
    QComboBox* ComboBox_address_WK;
    QFrame* Panel1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Edit_u0;
    QLineEdit* Edit_ur;
    QLineEdit* Edit_urc;
    QLineEdit* Edit_u;
    QPushButton* Button1;
    QLineEdit* Edit_current;
    QPushButton* Button_set0;
    QPushButton* Button_set1;
    QPushButton* Button_set2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QFrame* Panel2;
    QProgressBar* ProgressBar_solo_dust;
    QLabel* Label_dust;
    QPushButton* Button_start_kvr27;
    QFrame* Panel3;
    Shape_widget* Shape_dongle;
    QLabel* Label_dev_state;
    Shape_widget* Shape_kvr;
    QLabel* Label_kvr_info;
    QPushButton* Button_read_kvr27;
    QCheckBox* CheckBox_timer;

    // "Tabela"
    QWidget* TabSheet2;
    QFrame* Panel5;
    QPushButton* Button2;
    QProgressBar* ProgressBar_step;
    QTableWidget* Grid;
    QFrame* Panel6;
    Shape_widget* Shape1;
    QLabel* Label7;
    Shape_widget* Shape2;
    QLabel* Label8;
    Shape_widget* Shape3;
    QLabel* Label9;
    Shape_widget* Shape4;
    QLabel* Label10;

    // "Ustawienia"
    QWidget* Ustawienia;
    QFrame* Panel8;
    QLineEdit* MaskEdit1;
    QPushButton* Button7;
    QFrame* Panel7;
    QCheckBox* CheckBox_adv;
    QLabel* Label6;
    QSpinBox* CSpinEdit_CL;

    QTimer* Timer_dongle;

    // Shows a modal message box with an OK button by default; a test puts
    // its own function here and reads the texts.
    std::function<void(const QString&)> message_box;
    void show_message(const std::string& text);
    // Runs a handler; an exception that escapes it is shown with its text
    // and the window goes on.
    void run_guarded(const std::function<void()>& handler);

    void FormShow();
    void Timer_dongleTimer(QObject* sender);
    void Button_read_kvr27Click(QObject* sender);
    void Button2Click(QObject* sender);
    void GridDrawCell(QPainter* painter, int column, int row, const QRect& rect, int state, const QString& text);
    void Button_start_kvr27Click(QObject* sender);
    void Button7Click(QObject* sender);
    void CheckBox_advClick(QObject* sender);
    void Button1Click(QObject* sender);
    void Button_set0Click(QObject* sender);
    void Button_set1Click(QObject* sender);
    void Button_set2Click(QObject* sender);
    void Button3Click(QObject* sender);
    void Button4Click(QObject* sender);
    void Button5Click(QObject* sender);
    void Button6Click(QObject* sender);

    // 255 for "brak" or no item, else the address the item names.
    int selected_address() const;
    Solo_rating solo_contamination();
    void fill_grid();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool shown_once = false;

    void build_solo_tab();
    void build_table_tab();
    void build_settings_tab();
    void bind_handlers();
    void bind_click(QPushButton* button, void (TForm_main::*handler)(QObject*));

    int cl_value() const;
    void set_grid_columns(bool service_view);
    void set_mode(int mode, int times);
    void read_single_value(int value_number);
    void run_start(PIC16F1455_bootloader& dongle, MSP430_bootloader& line);
};

// The one window of the running tool.
extern TForm_main* Form_main;
