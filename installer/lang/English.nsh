; The installer's own texts in English; the pages' standard texts come with
; the Modern UI's language file.

LangString ZOOMORB_WELCOME_TEXT ${LANG_ENGLISH} "Setup will install $(^NameDA), the magnifying-glass screen saver, and choose it as your screen saver.$\r$\n$\r$\nNo administrator rights are needed unless you install it for all users of this computer.$\r$\n$\r$\n$_CLICK"
LangString ZOOMORB_MODE_TITLE ${LANG_ENGLISH} "Choose Install Location"
LangString ZOOMORB_MODE_SUBTITLE ${LANG_ENGLISH} "Choose who uses $(^NameDA) and where it goes."
LangString ZOOMORB_MODE_INTRO ${LANG_ENGLISH} "Install $(^NameDA) for:"
LangString ZOOMORB_MODE_JUST_ME ${LANG_ENGLISH} "&Only me (no administrator rights needed), in this folder:"
LangString ZOOMORB_MODE_ALL_USERS ${LANG_ENGLISH} "&All users of this computer (asks for administrator rights), in the system folder:"
LangString ZOOMORB_MODE_SETTINGS_KEPT ${LANG_ENGLISH} "$(^NameDA) becomes your screen saver. Your settings are kept when you install again or uninstall."
LangString ZOOMORB_FINISH_TEXT ${LANG_ENGLISH} "$(^NameDA) is installed and chosen as your screen saver.$\r$\n$\r$\nClick Finish to close Setup."
LangString ZOOMORB_OPEN_SETTINGS ${LANG_ENGLISH} "Open the screen saver settings"
LangString ZOOMORB_X64_IS_RIGHT ${LANG_ENGLISH} "This is the setup for 32-bit Windows. This computer runs 64-bit Windows, for which Zoomorb-${VERSION}-x64-setup.exe is the right one.$\r$\n$\r$\nClick OK to install the 32-bit $(^NameDA) anyway, or Cancel to quit."
LangString ZOOMORB_ASKING_ADMIN ${LANG_ENGLISH} "Installing for all users with administrator rights..."
LangString ZOOMORB_ADMIN_PART_FAILED ${LANG_ENGLISH} "The part that needs administrator rights did not complete: the rights were not given or an error occurred. Nothing was changed for all users."
LangString ZOOMORB_WAITING_FOR_SAVER ${LANG_ENGLISH} "Waiting for $(^NameDA) to close..."
LangString ZOOMORB_SAVER_RUNNING ${LANG_ENGLISH} "$(^NameDA) is running (the screen saver, its preview or its settings). Close it, then click Retry; or click Cancel to leave $(^NameDA) as it is."
LangString ZOOMORB_SAVER_RUNNING_ABORT ${LANG_ENGLISH} "$(^NameDA) is running, so nothing was changed."
