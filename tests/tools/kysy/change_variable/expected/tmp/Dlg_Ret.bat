set Dlg_Ret1=C:\MASTERCAM\Posts\MASTERCAM.pst
