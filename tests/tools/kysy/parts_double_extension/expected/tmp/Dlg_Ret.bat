set Dlg_Ret1=C
set Dlg_Ret2=\a\b
set Dlg_Ret3=c
set Dlg_Ret4=tar.gz
set Dlg_Ret5=C:\a\b\c.tar.gz
