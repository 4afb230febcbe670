; The installer's own texts in Japanese; the pages' standard texts come with
; the Modern UI's language file.

LangString ZOOMORB_WELCOME_TEXT ${LANG_JAPANESE} "セットアップは、虫めがねのスクリーン セーバー $(^NameDA) をインストールし、スクリーン セーバーとして選択します。$\r$\n$\r$\nこのコンピューターのすべてのユーザー用にインストールする場合を除き、管理者の権限は必要ありません。$\r$\n$\r$\n$_CLICK"
LangString ZOOMORB_MODE_TITLE ${LANG_JAPANESE} "インストール先の選択"
LangString ZOOMORB_MODE_SUBTITLE ${LANG_JAPANESE} "$(^NameDA) を使うユーザーとインストール先を選んでください。"
LangString ZOOMORB_MODE_INTRO ${LANG_JAPANESE} "$(^NameDA) をインストールする対象:"
LangString ZOOMORB_MODE_JUST_ME ${LANG_JAPANESE} "自分だけ(&O) (管理者の権限は不要) - このフォルダーへ:"
LangString ZOOMORB_MODE_ALL_USERS ${LANG_JAPANESE} "このコンピューターのすべてのユーザー(&A) (管理者の権限が必要) - システム フォルダーへ:"
LangString ZOOMORB_MODE_SETTINGS_KEPT ${LANG_JAPANESE} "$(^NameDA) がスクリーン セーバーとして選択されます。設定は、再インストールやアンインストールの後も残ります。"
LangString ZOOMORB_FINISH_TEXT ${LANG_JAPANESE} "$(^NameDA) をインストールし、スクリーン セーバーとして選択しました。$\r$\n$\r$\n[完了] をクリックしてセットアップを閉じてください。"
LangString ZOOMORB_OPEN_SETTINGS ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"
LangString ZOOMORB_X64_IS_RIGHT ${LANG_JAPANESE} "これは 32 ビット版 Windows 用のセットアップです。このコンピューターは 64 ビット版 Windows なので、Zoomorb-${VERSION}-x64-setup.exe をお使いください。$\r$\n$\r$\nこのまま 32 ビット版の $(^NameDA) をインストールするには [OK] を、終了するには [キャンセル] をクリックしてください。"
LangString ZOOMORB_ASKING_ADMIN ${LANG_JAPANESE} "管理者の権限で、すべてのユーザー用にインストールしています..."
LangString ZOOMORB_ADMIN_PART_FAILED ${LANG_JAPANESE} "管理者の権限が必要な処理を完了できませんでした (権限が与えられなかったか、エラーが発生しました)。すべてのユーザー用の変更は行っていません。"
LangString ZOOMORB_WAITING_FOR_SAVER ${LANG_JAPANESE} "$(^NameDA) の終了を待っています..."
LangString ZOOMORB_SAVER_RUNNING ${LANG_JAPANESE} "$(^NameDA) が実行中です (スクリーン セーバー、プレビュー、または設定)。終了してから [再試行] を、$(^NameDA) をそのままにするには [キャンセル] をクリックしてください。"
LangString ZOOMORB_SAVER_RUNNING_ABORT ${LANG_JAPANESE} "$(^NameDA) が実行中のため、何も変更しませんでした。"
